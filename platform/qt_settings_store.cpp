#include "platform/qt_settings_store.h"

namespace vrn {

namespace {

QString settingsKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& programTitle)
    : QtSettingsStore(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                  programTitle)) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)) {}

std::unique_ptr<QtSettingsStore> QtSettingsStore::forIniFile(const QString& path) {
    return std::unique_ptr<QtSettingsStore>(
        new QtSettingsStore(std::make_unique<QSettings>(path, QSettings::IniFormat)));
}

std::optional<QString> QtSettingsStore::text(const QString& section, const QString& key) const {
    const QVariant value = settings_->value(settingsKey(section, key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    // An INI line edited by hand as "a, b" comes back as a list; it was meant as one text.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

void QtSettingsStore::setText(const QString& section, const QString& key, const QString& value) {
    settings_->setValue(settingsKey(section, key), value);
    settings_->sync();
}

}  // namespace vrn
