#include "proppages/control_interfaces.h"

#include <cmath>
#include <limits>

namespace vrn::pp {

namespace {

// Float to integer without undefined behaviour: out of range or not a number gives 0.
qint64 floatToInteger(float value) {
    if (!std::isfinite(value) || std::fabs(value) > static_cast<float>(1LL << 62)) {
        return 0;
    }
    return std::llround(value);
}

qint64 toWide(const PropertyValue& value) {
    if (const auto* s = std::get_if<qint16>(&value)) {
        return *s;
    }
    if (const auto* l = std::get_if<qint32>(&value)) {
        return *l;
    }
    if (const auto* f = std::get_if<float>(&value)) {
        return floatToInteger(*f);
    }
    return 0;
}

}  // namespace

qint16 toShort(const PropertyValue& value) {
    return static_cast<qint16>(static_cast<quint16>(toWide(value) & 0xFFFF));
}

qint32 toLong(const PropertyValue& value) {
    return static_cast<qint32>(static_cast<quint32>(toWide(value) & 0xFFFFFFFF));
}

float toFloat(const PropertyValue& value) {
    if (const auto* f = std::get_if<float>(&value)) {
        return *f;
    }
    if (std::holds_alternative<QString>(value)) {
        return 0.0f;
    }
    return static_cast<float>(toWide(value));
}

QString toText(const PropertyValue& value) {
    if (const auto* s = std::get_if<QString>(&value)) {
        return *s;
    }
    if (const auto* f = std::get_if<float>(&value)) {
        return QString::number(*f);
    }
    return QString::number(toWide(value));
}

}  // namespace vrn::pp
