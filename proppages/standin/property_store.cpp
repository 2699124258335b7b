#include "proppages/standin/property_store.h"

namespace vrn::pp {

PropertyValue PropertyStore::get(int getterSlot, const Scope& scope) const {
    const auto value = values_.find({getterSlot, scope});
    if (value != values_.end()) {
        return value->second;
    }
    const auto fallback = defaults_.find(getterSlot);
    return fallback != defaults_.end() ? fallback->second : PropertyValue{qint32{0}};
}

void PropertyStore::set(int getterSlot, const Scope& scope, const PropertyValue& value) {
    values_[{getterSlot, scope}] = value;
}

}  // namespace vrn::pp
