#include "server/attributes/variant_value.h"

#include <variant>

#include "server/database/field.h"

namespace kt {

std::string variantText(const Value& value) {
    return Field("value", value).asText();
}

bool variantEquals(const Value& a, const Value& b) {
    if (isNull(a) || isNull(b)) {
        return false;
    }
    const bool aText = std::holds_alternative<std::string>(a);
    const bool bText = std::holds_alternative<std::string>(b);
    if (aText || bText) {
        return variantText(a) == variantText(b);
    }
    return Field("a", a).asDouble() == Field("b", b).asDouble();
}

}  // namespace kt
