#include "platform/settings_store.h"

#include "platform/text_conversion.h"

namespace vrn {

namespace {

template <typename T, typename Convert>
T readConverted(const SettingsStore& store, const QString& section, const QString& key, T fallback,
                Convert convert) {
    const std::optional<QString> stored = store.text(section, key);
    if (!stored) {
        return fallback;
    }
    return convert(*stored).value_or(fallback);
}

}  // namespace

QString SettingsStore::readString(const QString& section, const QString& key,
                                  const QString& fallback) const {
    return text(section, key).value_or(fallback);
}

float SettingsStore::readSingle(const QString& section, const QString& key, float fallback) const {
    return readConverted(*this, section, key, fallback, toSingle);
}

qint16 SettingsStore::readInteger(const QString& section, const QString& key,
                                  qint16 fallback) const {
    return readConverted(*this, section, key, fallback, toInteger);
}

qint32 SettingsStore::readLong(const QString& section, const QString& key, qint32 fallback) const {
    return readConverted(*this, section, key, fallback, toLong);
}

bool SettingsStore::readBoolean(const QString& section, const QString& key, bool fallback) const {
    return readConverted(*this, section, key, fallback, toBoolean);
}

void SettingsStore::writeSingle(const QString& section, const QString& key, float value) {
    setText(section, key, formatSingle(value));
}

void SettingsStore::writeInteger(const QString& section, const QString& key, qint16 value) {
    setText(section, key, QString::number(value));
}

void SettingsStore::writeLong(const QString& section, const QString& key, qint32 value) {
    setText(section, key, QString::number(value));
}

void SettingsStore::writeBoolean(const QString& section, const QString& key, bool value) {
    setText(section, key, formatBoolean(value));
}

}  // namespace vrn
