#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vrn {

// Matrix files hold 8-bit text in the Windows-1252 code page; the model holds UTF-8. Every byte
// decodes to one character (the five bytes the code page leaves undefined become the control
// characters U+0081, U+008D, U+008F, U+0090 and U+009D, as Windows does), so any file's text
// survives a read and a write unchanged.

// Appends the UTF-8 form of the Windows-1252 `bytes` to `out`.
void AppendWindows1252AsUtf8(std::string_view bytes, std::string& out);
std::string DecodeWindows1252(std::string_view bytes);

// Appends the Windows-1252 form of the UTF-8 `text` to `out`. A character the code page lacks,
// and every byte of a malformed UTF-8 sequence, becomes "?"; returns how many did.
std::size_t AppendUtf8AsWindows1252(std::string_view text, std::string& out);
std::string EncodeWindows1252(std::string_view text);

}  // namespace vrn
