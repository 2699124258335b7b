#include "model/file/windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vrn {

namespace {

// Code points of the bytes 0x80 to 0x9F; the other bytes are their own code points.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// The byte for `code`, or '?' when the code page has none.
char ByteFor(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<char>(code);
    }
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), code);
    return found == kHighControls.end() ? '?'
                                        : static_cast<char>(0x80 + (found - kHighControls.begin()));
}

// Decodes one UTF-8 sequence at `text[i]`, advancing `i`; a malformed byte gives no value and
// advances by one.
bool NextCodePoint(std::string_view text, std::size_t& i, char32_t& code) {
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        lowest = 0x10000;
    } else {
        ++i;
        return false;
    }
    if (i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return false;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++i;
        return false;
    }
    i += static_cast<std::size_t>(length);
    return true;
}

}  // namespace

void AppendWindows1252AsUtf8(std::string_view bytes, std::string& out) {
    if (IsAscii(bytes)) {
        out.append(bytes);
        return;
    }
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            AppendUtf8(byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte}, out);
        }
    }
}

std::string DecodeWindows1252(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    std::string text;
    text.reserve(bytes.size());
    AppendWindows1252AsUtf8(bytes, text);
    return text;
}

std::size_t AppendUtf8AsWindows1252(std::string_view text, std::string& out) {
    if (IsAscii(text)) {
        out.append(text);
        return 0;
    }
    std::size_t replaced = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out.push_back(text[i++]);
            continue;
        }
        // Only ASCII stands for itself as "?": any other character written so was lost.
        char32_t code = 0;
        const char byte = NextCodePoint(text, i, code) ? ByteFor(code) : '?';
        replaced += byte == '?' ? 1 : 0;
        out.push_back(byte);
    }
    return replaced;
}

std::string EncodeWindows1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    AppendUtf8AsWindows1252(text, bytes);
    return bytes;
}

}  // namespace vrn
