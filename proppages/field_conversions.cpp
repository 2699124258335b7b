#include "proppages/field_conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace vrn::pp {

namespace {

qsizetype skipBlanks(const QString& text, qsizetype at) {
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) {
        ++at;
    }
    return at;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Digits from position at; nothing when there is none. Stops growing past the limit so that a
// long run of digits cannot overflow.
std::optional<quint64> readDigits(const QString& text, qsizetype at, quint64 limit) {
    if (at >= text.size() || !isDigit(text[at])) {
        return std::nullopt;
    }
    quint64 value = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        value = value * 10 + static_cast<quint64>(text[at].unicode() - u'0');
        if (value > limit) {
            value = limit + 1;
        }
    }
    return value;
}

}  // namespace

quint32 parseDialogInt(const QString& text, bool isSigned) {
    qsizetype at = skipBlanks(text, 0);
    bool negative = false;
    if (isSigned && at < text.size() && text[at] == u'-') {
        negative = true;
        ++at;
    }
    constexpr quint64 kUnsignedMax = std::numeric_limits<quint32>::max();
    const std::optional<quint64> digits = readDigits(text, at, kUnsignedMax);
    if (!digits) {
        return 0;
    }
    if (!isSigned) {
        return *digits > kUnsignedMax ? 0 : static_cast<quint32>(*digits);
    }
    const qint64 value = negative ? -static_cast<qint64>(*digits) : static_cast<qint64>(*digits);
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max()) {
        return 0;
    }
    return static_cast<quint32>(static_cast<qint32>(value));
}

QString formatDialogInt(quint32 value, bool isSigned) {
    return isSigned ? QString::number(static_cast<qint32>(value)) : QString::number(value);
}

qint32 parseLongField(const QString& text) {
    const QString head = text.left(kLongFieldCap);
    qsizetype at = skipBlanks(head, 0);
    bool negative = false;
    if (at < head.size() && (head[at] == u'-' || head[at] == u'+')) {
        negative = head[at] == u'-';
        ++at;
    }
    constexpr quint64 kMagnitudeLimit = quint64{1} << 31;
    const std::optional<quint64> digits = readDigits(head, at, kMagnitudeLimit);
    if (!digits) {
        return 0;
    }
    if (negative) {
        return *digits >= kMagnitudeLimit ? std::numeric_limits<qint32>::min()
                                          : -static_cast<qint32>(*digits);
    }
    return *digits >= kMagnitudeLimit ? std::numeric_limits<qint32>::max()
                                      : static_cast<qint32>(*digits);
}

float parseFloatField(const QString& text) {
    QString head = text.left(kTextFieldCap).trimmed();
    if (head.startsWith(u'+')) {
        head.remove(0, 1);
    }
    for (const QChar c : head) {
        // Only plain decimal notation: no "inf", "nan" or hexadecimal floats.
        if (!isDigit(c) && c != u'.' && c != u'-' && c != u'+' && c != u'e' && c != u'E') {
            return 0.0f;
        }
    }
    const QByteArray latin = head.toLatin1();
    float value = 0.0f;
    const auto result = std::from_chars(latin.constData(), latin.constData() + latin.size(), value,
                                        std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != latin.constData() + latin.size() ||
        !std::isfinite(value)) {
        return 0.0f;
    }
    return value;
}

std::optional<QString> formatFloatField(float value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // The shortest text that reads back as the same float.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

QString capText(const QString& text) {
    return text.left(kTextFieldCap);
}

}  // namespace vrn::pp
