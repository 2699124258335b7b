#include "model/file/quote_escaping.h"

namespace vrn {

void Encode_Quotes(std::string& S, bool& changed) {
    changed = S.find('"') != std::string::npos;
    if (!changed) {
        return;
    }
    std::string escaped;
    escaped.reserve(S.size() + 16);
    for (const char c : S) {
        if (c == '"') {
            escaped.append(kQuoteEscape);
        } else {
            escaped.push_back(c);
        }
    }
    S = std::move(escaped);
}

void Decode_Quotes(std::string& S, bool& changed) {
    std::size_t found = S.find(kQuoteEscape);
    changed = found != std::string::npos;
    if (!changed) {
        return;
    }
    std::string result;
    result.reserve(S.size());
    std::size_t rest = 0;
    for (; found != std::string::npos; found = S.find(kQuoteEscape, rest)) {
        result.append(S, rest, found - rest);
        result.push_back('"');
        rest = found + kQuoteEscape.size();
    }
    result.append(S, rest);
    S = std::move(result);
}

}  // namespace vrn
