#pragma once

#include "proppages/control_interfaces.h"

#include <map>
#include <tuple>

namespace vrn::pp {

// The property values of a stand-in control. A value may belong to the whole control or to one
// part of it (a cell, a segment of a cell, a margin set): the scope says which. A value never
// set reads as the default given for its slot, or as a 32-bit 0.
class PropertyStore {
public:
    // The part a value belongs to: (slot's group, first index, second index).
    using Scope = std::tuple<int, int, int>;

    void setDefault(int getterSlot, const PropertyValue& value) { defaults_[getterSlot] = value; }
    PropertyValue get(int getterSlot, const Scope& scope) const;
    void set(int getterSlot, const Scope& scope, const PropertyValue& value);

private:
    std::map<int, PropertyValue> defaults_;
    std::map<std::tuple<int, Scope>, PropertyValue> values_;
};

}  // namespace vrn::pp
