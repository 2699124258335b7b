#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace vrn {

// A value handed over by the catalogue: empty, a truth value, a whole number, a real number or
// a text, as an automation variant would carry it.
using CatalogueValue = std::variant<std::monostate, bool, std::int64_t, double, std::string>;

// The value as text: numbers in plain decimal, truth values as "True" or "False", empty as "".
std::string CatalogueText(const CatalogueValue& value);

// The value as a 32-bit integer: reals round half to even, texts must hold a number, empty is 0,
// True is -1. Throws ModelError when the value is not a number or does not fit.
std::int32_t CatalogueLong(const CatalogueValue& value);

}  // namespace vrn
