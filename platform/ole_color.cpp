#include "platform/ole_color.h"

#include <QGuiApplication>

#include <array>

namespace vrn {

namespace {

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Indexes 0 to 0x18 of the system colours, each with the palette entry that plays its part here.
constexpr std::array<SystemColor, 0x19> kSystemColors{{
    {QPalette::Active, QPalette::Button},             // 0 scroll bars
    {QPalette::Active, QPalette::Dark},               // 1 desktop
    {QPalette::Active, QPalette::Highlight},          // 2 active title bar
    {QPalette::Inactive, QPalette::Highlight},        // 3 inactive title bar
    {QPalette::Active, QPalette::Window},             // 4 menu bar
    {QPalette::Active, QPalette::Base},               // 5 window background
    {QPalette::Active, QPalette::Shadow},             // 6 window frame
    {QPalette::Active, QPalette::WindowText},         // 7 menu text
    {QPalette::Active, QPalette::Text},               // 8 window text
    {QPalette::Active, QPalette::HighlightedText},    // 9 title bar text
    {QPalette::Active, QPalette::Window},             // 0x0A active border
    {QPalette::Inactive, QPalette::Window},           // 0x0B inactive border
    {QPalette::Active, QPalette::Dark},               // 0x0C application workspace
    {QPalette::Active, QPalette::Highlight},          // 0x0D highlight
    {QPalette::Active, QPalette::HighlightedText},    // 0x0E highlight text
    {QPalette::Active, QPalette::Button},             // 0x0F button face
    {QPalette::Active, QPalette::Dark},               // 0x10 button shadow
    {QPalette::Disabled, QPalette::Text},             // 0x11 grey text
    {QPalette::Active, QPalette::ButtonText},         // 0x12 button text
    {QPalette::Inactive, QPalette::HighlightedText},  // 0x13 inactive title bar text
    {QPalette::Active, QPalette::Light},              // 0x14 3-D highlight
    {QPalette::Active, QPalette::Shadow},             // 0x15 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},           // 0x16 3-D light
    {QPalette::Active, QPalette::ToolTipText},        // 0x17 tool tip text
    {QPalette::Active, QPalette::ToolTipBase},        // 0x18 tool tip background
}};

}  // namespace

bool isOleSystemColor(qint32 ole) {
    return (static_cast<quint32>(ole) >> 24) == 0x80;
}

QColor colorFromOle(qint32 ole, const QPalette& palette) {
    const quint32 bits = static_cast<quint32>(ole);
    const quint32 highByte = bits >> 24;
    if (highByte == 0) {
        return QColor(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
    }
    const quint32 index = bits & 0x00FFFFFF;
    if (highByte != 0x80 || index >= kSystemColors.size()) {
        return QColor();
    }
    const SystemColor& entry = kSystemColors[index];
    return palette.color(entry.group, entry.role);
}

QColor colorFromOle(qint32 ole) {
    return colorFromOle(ole, QGuiApplication::palette());
}

qint32 oleFromColor(const QColor& color) {
    if (!color.isValid()) {
        return 0;
    }
    return oleRgb(color.red(), color.green(), color.blue());
}

}  // namespace vrn
