#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vrn::pp {

// How the text of an edit field turns into a property value and back.

// Texts and floats are read from the first 254 characters of a field, long numbers from the
// first 32.
constexpr qsizetype kTextFieldCap = 254;
constexpr qsizetype kLongFieldCap = 32;

// Integer fields: leading blanks, a "-" when signed, then decimal digits up to the first other
// character. No digits, or a value outside the 32-bit range of the field's sign, reads as 0.
// The result is the 32-bit pattern; a signed field's negative value comes back two's complement.
quint32 parseDialogInt(const QString& text, bool isSigned);
QString formatDialogInt(quint32 value, bool isSigned);
// A 16-bit property value as the 32-bit pattern of a signed integer field.
inline quint32 widenedShort(qint16 value) {
    return static_cast<quint32>(static_cast<qint32>(value));
}

// Long fields: the first 32 characters read as a decimal number (leading blanks and a sign
// allowed, reading stops at the first other character); no digits read as 0, and a number
// beyond the 32-bit range stops at the range's end.
qint32 parseLongField(const QString& text);

// Float fields: the whole of the first 254 characters, blanks around allowed, must be one
// decimal number within the float range; an empty field or anything else reads as 0.0.
float parseFloatField(const QString& text);
// The text a float shows as (the shortest that reads back the same); nothing for infinities and
// NaN.
std::optional<QString> formatFloatField(float value);

// Text fields: the first 254 characters.
QString capText(const QString& text);

}  // namespace vrn::pp
