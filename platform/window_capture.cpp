#include "platform/window_capture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QWidget>

namespace vrn {

QImage Capture_Form_Image(QWidget& form) {
    QWidget* frame = qobject_cast<QMdiSubWindow*>(form.parentWidget());
    QWidget& whole = frame != nullptr ? *frame : form;
    return whole.grab().toImage();
}

QImage Capture_Form_Client(QWidget& form) {
    return form.grab().toImage();
}

QImage Capture_Form_Region(QWidget& form, const QRect& region) {
    const QRect inside = region.intersected(form.rect());
    if (inside.isEmpty()) {
        return {};
    }
    return form.grab(inside).toImage();
}

void putPictureOnClipboard(const QImage& picture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!picture.isNull()) {
        clipboard->setImage(picture);
    }
}

}  // namespace vrn
