#pragma once

#include <QImage>
#include <QRect>

class QWidget;

namespace vrn {

// Pictures of what a window shows. The window paints itself into the picture, so it need not be
// on top or even on screen.

// The whole window with its frame: the frame inside the main window's area when the window sits
// in one, otherwise the widget itself.
QImage Capture_Form_Image(QWidget& form);
// The window's client area.
QImage Capture_Form_Client(QWidget& form);
// The rectangle `region` (pixels) of the client area, cut to the area.
QImage Capture_Form_Region(QWidget& form, const QRect& region);

// Clears the clipboard and puts `picture` on it as a bitmap.
void putPictureOnClipboard(const QImage& picture);

}  // namespace vrn
