#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vrn::pp {

constexpr quint32 kProjectNameString = 100;
constexpr quint32 kHelpFileString = 110;

// The module's strings by their IDs: the project name, the help file and each page's title and
// description. Nothing for an ID the table does not hold.
std::optional<QString> LoadPageString(quint32 id);

}  // namespace vrn::pp
