#pragma once

#include <functional>

#include "model/file/byte_sink.h"
#include "model/file/safe_save_file.h"

namespace vrn {

// Saves a file whole or not at all: `write` puts its bytes into `target`; the temporary file is
// then read back and must hold exactly those bytes before it replaces the target. Whatever fails
// throws std::system_error naming the reason; the target is then as it was, and the temporary
// file goes with `target`.
void WriteChecked(SafeSaveFile& target, const std::function<void(ByteSink&)>& write);

}  // namespace vrn
