#include "platform/docx/docx_xml.h"

#include <cstdint>

namespace vrn {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool AllowedInXml(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Length of the well-formed UTF-8 sequence at the start of `text` and its code point; 0 when
// the bytes there are malformed.
std::size_t DecodeOne(std::string_view text, std::uint32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
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
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

// Characters that stand for themselves in XML text and attribute values.
bool Plain(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x80 && c != '&' && c != '<' && c != '>' && c != '"';
}

}  // namespace

void AppendXmlEscaped(std::string& out, std::string_view text) {
    while (!text.empty()) {
        // Runs of plain characters are copied whole; the others are looked at one by one.
        std::size_t plain = 0;
        while (plain < text.size() && Plain(text[plain])) {
            ++plain;
        }
        out.append(text.data(), plain);
        text.remove_prefix(plain);
        if (text.empty()) {
            return;
        }
        std::uint32_t code = 0;
        const std::size_t length = DecodeOne(text, code);
        if (length == 0) {
            out += kReplacement;
            text.remove_prefix(1);
            continue;
        }
        switch (code) {
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
            case '\r':
                out += "&#13;";  // kept: a literal CR would be read back as LF
                break;
            default:
                if (AllowedInXml(code)) {
                    out.append(text.substr(0, length));
                }
        }
        text.remove_prefix(length);
    }
}

std::string XmlEscaped(std::string_view text) {
    std::string out;
    AppendXmlEscaped(out, text);
    return out;
}

void AppendRunContent(std::string& out, std::string_view text) {
    std::size_t start = 0;
    const auto flush = [&](std::size_t end) {
        if (end > start) {
            out += "<w:t xml:space=\"preserve\">";
            AppendXmlEscaped(out, text.substr(start, end - start));
            out += "</w:t>";
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\t' && c != '\n' && c != '\r') {
            continue;
        }
        flush(i);
        if (c == '\t') {
            out += "<w:tab/>";
        } else {
            out += "<w:br/>";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        }
        start = i + 1;
    }
    flush(text.size());
}

}  // namespace vrn
