#pragma once

#include "platform/settings_store.h"

#include <map>
#include <utility>

namespace vrn {

// A settings store in memory, for tests that need no file.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<QString> text(const QString& section, const QString& key) const override;
    void setText(const QString& section, const QString& key, const QString& value) override;

    std::size_t size() const { return values_.size(); }

private:
    std::map<std::pair<QString, QString>, QString> values_;
};

}  // namespace vrn
