#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vrn {

// The per-user settings store: text values under a section and a key, all for one program.
// Typed values are kept as text ("600", "-2147483633", "True"); a value that is missing or does
// not convert to the type asked for reads as the caller's default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<QString> text(const QString& section, const QString& key) const = 0;
    virtual void setText(const QString& section, const QString& key, const QString& value) = 0;

    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    float readSingle(const QString& section, const QString& key, float fallback) const;
    qint16 readInteger(const QString& section, const QString& key, qint16 fallback) const;
    qint32 readLong(const QString& section, const QString& key, qint32 fallback) const;
    bool readBoolean(const QString& section, const QString& key, bool fallback) const;

    void writeSingle(const QString& section, const QString& key, float value);
    void writeInteger(const QString& section, const QString& key, qint16 value);
    // Colours are Longs too: &H8000000F is stored as "-2147483633".
    void writeLong(const QString& section, const QString& key, qint32 value);
    void writeBoolean(const QString& section, const QString& key, bool value);
};

}  // namespace vrn
