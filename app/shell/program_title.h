#pragma once

namespace vrn {

// The program's title: the name of its settings store and the default title of its messages.
inline constexpr char kProgramTitle[] = "Vrn";

}  // namespace vrn
