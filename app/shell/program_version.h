#pragma once

#include <QString>

namespace vrn {

// "Version " and the program's major, minor and revision numbers joined by ".".
QString programVersionText();

}  // namespace vrn
