#pragma once

#include <filesystem>

namespace kt {

// Creates a new catalogue file at the current schema: exactly what upgrading an empty catalogue
// of the oldest schema gives. It holds the type name rows and the fixed entities: "Tessary Root"
// with a root of every kind below it ("Activity Root" under key 0), their fixed attributes and
// managed-by markers, the default bundle of "Activity Root", a default parent under every kind
// root but the exception root, the dependency editor's sample entities, the bundle layout mark
// and the root's Description. The file appears whole or not at all; an existing file is refused.
void CreateCatalogue(const std::filesystem::path& path);

}  // namespace kt
