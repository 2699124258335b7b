#pragma once

#include "platform/settings_store.h"

#include <QSettings>

#include <memory>

namespace vrn {

// The settings store over QSettings: one group per section.
class QtSettingsStore : public SettingsStore {
public:
    // The user's own store of the program with this title.
    explicit QtSettingsStore(const QString& programTitle);
    // A store in one INI file, for tests and portable set-ups.
    static std::unique_ptr<QtSettingsStore> forIniFile(const QString& path);

    std::optional<QString> text(const QString& section, const QString& key) const override;
    // Written through at once, so a crash later in the run keeps the value.
    void setText(const QString& section, const QString& key, const QString& value) override;

    QSettings::Status status() const { return settings_->status(); }

private:
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

    std::unique_ptr<QSettings> settings_;
};

}  // namespace vrn
