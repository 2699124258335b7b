#include "platform/testing/memory_settings_store.h"

namespace vrn {

std::optional<QString> MemorySettingsStore::text(const QString& section, const QString& key) const {
    const auto found = values_.find({section, key});
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void MemorySettingsStore::setText(const QString& section, const QString& key,
                                  const QString& value) {
    values_[{section, key}] = value;
}

}  // namespace vrn
