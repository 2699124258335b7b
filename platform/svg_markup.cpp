#include "platform/svg_markup.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace vrn {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// The length of the well-formed UTF-8 sequence at the start of `text`, 0 when it is malformed.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    constexpr std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = code >= kShortest[length] && code <= 0x10FFFF &&
                       !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF;
    return valid ? length : 0;
}

}  // namespace

void AppendEscapedMarkup(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            case '\t':
            case '\n':
            case '\r':
                out += c;
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                    break;  // not allowed in XML (DEL is allowed but invisible)
                }
                if (const std::size_t length = SequenceLength(text.substr(i)); length > 0) {
                    out.append(text.substr(i, length));
                    i += length;
                    continue;
                }
                out += kReplacement;
        }
        ++i;
    }
}

std::string EscapedMarkup(std::string_view text) {
    std::string out;
    AppendEscapedMarkup(out, text);
    return out;
}

void AppendNumber(std::string& out, double value) {
    double rounded = std::round(value * 1000) / 1000;
    if (rounded == 0 || !std::isfinite(rounded)) {
        rounded = 0;
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 3);
    std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // Trailing zeros and a bare point say nothing.
    while (digits.back() == '0') {
        digits.remove_suffix(1);
    }
    if (digits.back() == '.') {
        digits.remove_suffix(1);
    }
    out.append(digits);
}

}  // namespace vrn
