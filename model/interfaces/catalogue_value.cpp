#include "model/interfaces/catalogue_value.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "model/model_error.h"

namespace vrn {

namespace {

std::int32_t RoundedToLong(double number, const std::string& shown) {
    // Whole numbers round half to even, as the automation conversion does.
    const double rounded = std::nearbyint(number);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        throw ModelError("The catalogue value " + shown + " does not fit a 32-bit integer.");
    }
    return static_cast<std::int32_t>(rounded);
}

std::string NumberText(double number) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string CatalogueText(const CatalogueValue& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool truth) const { return truth ? "True" : "False"; }
        std::string operator()(std::int64_t number) const { return std::to_string(number); }
        std::string operator()(double number) const { return NumberText(number); }
        std::string operator()(const std::string& text) const { return text; }
    };
    return std::visit(Visitor{}, value);
}

std::int32_t CatalogueLong(const CatalogueValue& value) {
    struct Visitor {
        std::int32_t operator()(std::monostate) const { return 0; }
        std::int32_t operator()(bool truth) const { return truth ? -1 : 0; }
        std::int32_t operator()(std::int64_t number) const {
            return RoundedToLong(static_cast<double>(number), std::to_string(number));
        }
        std::int32_t operator()(double number) const {
            return RoundedToLong(number, NumberText(number));
        }
        std::int32_t operator()(const std::string& text) const {
            const auto first = text.find_first_not_of(' ');
            const auto last = text.find_last_not_of(' ');
            double number = 0;
            if (first != std::string::npos) {
                const char* begin = text.data() + first;
                const char* end = text.data() + last + 1;
                const auto result = std::from_chars(begin, end, number);
                if (result.ec == std::errc() && result.ptr == end) {
                    return RoundedToLong(number, "'" + text + "'");
                }
            }
            throw ModelError("The catalogue value '" + text + "' is not a number.");
        }
    };
    return std::visit(Visitor{}, value);
}

}  // namespace vrn
