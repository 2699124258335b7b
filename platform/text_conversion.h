#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vrn {

// Conversions between the text of settings and text boxes and the value types the program keeps:
// Single (float), Integer (16-bit), Long (32-bit) and Boolean. They accept what the user or an
// older settings file may hold (surrounding blanks, a leading "+", "&H" hex for a Long, "True"
// in any case) and return nothing for text that does not convert or does not fit the type.
std::optional<float> toSingle(const QString& text);
std::optional<qint16> toInteger(const QString& text);
std::optional<qint32> toLong(const QString& text);
std::optional<bool> toBoolean(const QString& text);

// The shortest decimal text that reads back as the same value ("600", "2500.5").
QString formatSingle(float value);
QString formatBoolean(bool value);

}  // namespace vrn
