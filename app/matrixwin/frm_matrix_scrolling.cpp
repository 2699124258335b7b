#include "app/matrixwin/frm_matrix.h"

#include "app/common/command_guard.h"
#include "app/matrixwin/window_units.h"
#include "model/collection.h"
#include "model/model_error.h"
#include "model/vrn_matrix.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

// Scrolling a matrix window: its two bars move the drawing, the wheel and Page Up/Down on the
// canvas or the bars reach them, and the document sets their ranges as it lays itself out.

namespace vrn {

namespace {

// One scroll step moves the drawing this far.
constexpr float kScrollStepTwips = 500;

int scrollUnits(double value) {
    const double rounded = std::nearbyint(value);
    return static_cast<int>(std::clamp<double>(rounded, 0, std::numeric_limits<int>::max()));
}

}  // namespace

bool frmMatrix::matrixKey(int key) {
    switch (key) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // Page Up and Down step through the alternatives, never scroll a page.
            runGuarded(prompt_, [this, key] { Form_KeyDown(key); });
            return true;
        case Qt::Key_Up:
            vScroll_->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Down:
            vScroll_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_Left:
            hScroll_->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Right:
            hScroll_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_Home:
            vScroll_->triggerAction(QAbstractSlider::SliderToMinimum);
            hScroll_->triggerAction(QAbstractSlider::SliderToMinimum);
            return true;
        case Qt::Key_End:
            vScroll_->triggerAction(QAbstractSlider::SliderToMaximum);
            return true;
        default:
            return false;
    }
}

void frmMatrix::wheelScroll(const QWheelEvent& wheel) {
    const QPoint delta = wheel.angleDelta();
    // A sideways wheel, or the wheel with Shift, moves the drawing sideways.
    const bool sideways =
        std::abs(delta.x()) > std::abs(delta.y()) || wheel.modifiers().testFlag(Qt::ShiftModifier);
    const int amount = std::abs(delta.x()) > std::abs(delta.y()) ? delta.x() : delta.y();
    if (amount == 0) {
        return;
    }
    const int notches = std::max(1, std::abs(amount) / QWheelEvent::DefaultDeltasPerStep);
    QScrollBar* bar = sideways ? hScroll_ : vScroll_;
    bar->setValue(bar->value() + (amount > 0 ? -notches : notches) * bar->singleStep());
}

bool frmMatrix::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == vScroll_ || watched == hScroll_) && event->type() == QEvent::KeyPress) {
        // A bar used with the mouse keeps the focus: the keys still mean what they mean on the
        // drawing.
        return matrixKey(static_cast<QKeyEvent*>(event)->key()) ||
               QWidget::eventFilter(watched, event);
    }
    if (watched == canvas_) {
        switch (event->type()) {
            case QEvent::KeyPress:
                if (matrixKey(static_cast<QKeyEvent*>(event)->key())) {
                    return true;
                }
                break;
            case QEvent::MouseButtonPress: {
                const QPointF at = static_cast<QMouseEvent*>(event)->position();
                Form_MouseDown(windowTwips(qRound(at.x())), windowTwips(qRound(at.y())));
                break;
            }
            case QEvent::MouseMove: {
                if (Frametool_Active) {
                    const QPointF at = static_cast<QMouseEvent*>(event)->position();
                    frameToolFollows(windowTwips(qRound(at.x())), windowTwips(qRound(at.y())));
                }
                Form_MouseMove();
                break;
            }
            case QEvent::MouseButtonRelease:
                // The frame tool takes the clicks on the window while it is armed.
                if (Frametool_Enabled || Frametool_Active) {
                    runGuarded(prompt_, [this] { Form_Click(); });
                    return true;
                }
                break;
            case QEvent::Leave:
                // Off the drawing nothing is hovered; a dialog that opens takes the pointer too.
                clearHover();
                break;
            case QEvent::Wheel:
                // The drawing moves itself: the window's bars do the scrolling.
                wheelScroll(*static_cast<QWheelEvent*>(event));
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMatrix::VScroll_Change() {
    if (WindowState() == kWindowMinimized || scrollGuard_) {
        return;
    }
    try {
        VRN_Matrix& document = *base();
        document.MoveBy(0,
                        -document.top - kScrollStepTwips * static_cast<float>(vScroll_->value()));
        placeFooter();
        placeFieldEditor();
    } catch (const ModelError&) {
        // A move that fails leaves the drawing where it is; the next one places it again.
    } catch (const CollectionIndexError&) {
        // As for a refused move.
    }
}

void frmMatrix::HScroll_Change() {
    if (WindowState() == kWindowMinimized || scrollGuard_) {
        return;
    }
    try {
        VRN_Matrix& document = *base();
        document.MoveBy(-document.left - kScrollStepTwips * static_cast<float>(hScroll_->value()),
                        0);
        placeFooter();
        placeFieldEditor();
    } catch (const ModelError&) {
        // As for the vertical bar.
    } catch (const CollectionIndexError&) {
        // As for the vertical bar.
    }
}

void frmMatrix::SetScrollbars(float X, float& xmax, float Y, float& ymax) {
    // The ranges follow the drawing's extent, wherever it has been scrolled to.
    const float width = std::abs(xmax - X);
    const float height = std::abs(ymax - Y);
    xmax = std::abs(xmax);
    ymax = std::abs(ymax);
    scrollGuard_ = true;
    const QSignalBlocker vGuard(vScroll_);
    const QSignalBlocker hGuard(hScroll_);
    vScroll_->setMaximum(scrollUnits(height / kScrollStepTwips));
    vScroll_->setPageStep(std::max(1, scrollUnits(Height() / kScrollStepTwips / 2)));
    hScroll_->setMaximum(scrollUnits(width / kScrollStepTwips));
    hScroll_->setPageStep(std::max(1, scrollUnits(Width() / kScrollStepTwips / 2)));
    scrollGuard_ = false;
    // The drawing is placed: the description box makes room for its caption, the footer goes
    // where it covers none of the drawing, and an open editor stands over its field again.
    fitDescriptionBox();
    placeFooter();
    placeFieldEditor();
}

}  // namespace vrn
