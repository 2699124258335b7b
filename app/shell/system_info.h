#pragma once

#include <QString>

namespace vrn {

// A short description of the computer the program runs on, for the notice window's System Info
// button; empty when nothing could be found out.
QString systemInformationText();

}  // namespace vrn
