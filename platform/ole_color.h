#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace vrn {

// Colours travel as OLE colour Longs: &HBBGGRR for a plain colour (255 is red), &H800000nn for
// the system colour nn, which follows the desktop's palette.
constexpr qint32 kSystemColorFlag = static_cast<qint32>(0x80000000u);

constexpr qint32 oleRgb(int red, int green, int blue) {
    return (blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF);
}

constexpr qint32 oleSystemColor(int index) {
    return kSystemColorFlag | (index & 0xFF);
}

// System colour indexes the program uses by name.
constexpr qint32 kOleButtonFace = oleSystemColor(0x0F);

bool isOleSystemColor(qint32 ole);

// An invalid QColor for a Long that is no colour (an unknown system colour, a stray high byte).
QColor colorFromOle(qint32 ole, const QPalette& palette);
// Uses the application's palette for system colours.
QColor colorFromOle(qint32 ole);

// The plain colour; alpha is dropped and an invalid colour gives black.
qint32 oleFromColor(const QColor& color);

}  // namespace vrn
