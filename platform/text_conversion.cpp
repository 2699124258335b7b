#include "platform/text_conversion.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vrn {

namespace {

// Decimal text in the C locale, so settings read the same on every machine.
std::optional<double> toDouble(const QString& text) {
    std::string s = text.trimmed().toStdString();
    if (!s.empty() && s.front() == '+') {
        s.erase(0, 1);
    }
    if (s.empty()) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, value);
    if (ec != std::errc{} || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Whole numbers round to the nearest, halves to even, as the program's integer conversions do.
template <typename Int>
std::optional<Int> toWhole(const QString& text) {
    const std::optional<double> value = toDouble(text);
    if (!value) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max()) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::optional<float> toSingle(const QString& text) {
    const std::optional<double> value = toDouble(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

std::optional<qint16> toInteger(const QString& text) {
    return toWhole<qint16>(text);
}

std::optional<qint32> toLong(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        // "&H8000000F" is a 32-bit pattern, so it reads as a negative Long.
        const std::string digits = trimmed.mid(2).toStdString();
        quint32 bits = 0;
        const char* end = digits.data() + digits.size();
        auto [ptr, ec] = std::from_chars(digits.data(), end, bits, 16);
        if (digits.empty() || ec != std::errc{} || ptr != end) {
            return std::nullopt;
        }
        return static_cast<qint32>(bits);
    }
    return toWhole<qint32>(trimmed);
}

std::optional<bool> toBoolean(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    const std::optional<double> number = toDouble(trimmed);
    if (!number) {
        return std::nullopt;
    }
    return *number != 0;
}

QString formatSingle(float value) {
    if (value == 0) {
        return QStringLiteral("0");  // also for -0
    }
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc{}) {
        return QString::number(value);
    }
    return QString::fromLatin1(buffer, end - buffer);
}

QString formatBoolean(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace vrn
