#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

struct sqlite3;

namespace kt {

// The file a connection to a catalogue has open, named once: where the engine found it and which
// file it is. A second connection held to it reads the same file whatever later becomes of the
// name, or is refused; a name alone may lead elsewhere after a change of working directory or a
// file renamed over it.
struct CatalogueFile {
    std::filesystem::path path;  // absolute, as the engine resolved it
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool sameFile(const CatalogueFile& other) const {
        return device == other.device && inode == other.inode;
    }
    // True while `path` still leads to this very file; false once the file was moved, replaced
    // or deleted. One stat of the path.
    bool stillAtPath() const;
};

// The file that `connection` has open as its main database, when its name still leads to that
// very file; nothing when the name leads elsewhere or nowhere (the file was replaced, moved or
// deleted since the connection opened it).
std::optional<CatalogueFile> openedCatalogueFile(sqlite3* connection);

}  // namespace kt
