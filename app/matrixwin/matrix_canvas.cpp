#include "app/matrixwin/matrix_canvas.h"

#include "app/matrixwin/scene_paintable.h"
#include "platform/user_text.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace vrn {

MatrixCanvas::MatrixCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MatrixView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    background_ = palette().color(QPalette::Window);
}

void MatrixCanvas::add(ScenePaintable& control) {
    control.canvasSlot_ = static_cast<std::int32_t>(plain_.size());
    control.paintShown_ = false;
    plain_.push_back(&control);
    plainShown_.push_back(0);
}

void MatrixCanvas::addGroup(SceneControlGroup& group) {
    groups_.emplace_back(plain_.size(), &group);
    changed();
}

void MatrixCanvas::removeGroup(SceneControlGroup& group) {
    std::erase_if(groups_, [&group](const auto& entry) { return entry.second == &group; });
    changed();
}

void MatrixCanvas::remove(ScenePaintable& control) {
    if (control.canvasSlot_ >= 0) {
        const auto slot = static_cast<std::size_t>(control.canvasSlot_);
        plain_[slot] = nullptr;
        plainShown_[slot] = 0;
        control.canvasSlot_ = -1;
    }
    std::erase_if(stacked_, [&control](const auto& entry) { return entry.second == &control; });
    control.paintShown_ = false;
    changed();
}

void ScenePaintable::showPlainly(MatrixCanvas& canvas, bool shown) {
    wantsShown_ = shown;
    canvas.show(*this, shown);
}

void ScenePaintable::refreshShown(MatrixCanvas* canvas) {
    if (canvas == nullptr) {
        return;
    }
    canvas->show(*this, wantsShown_ && frameShown());
    refreshContents(canvas);
}

void MatrixCanvas::show(ScenePaintable& control, bool shown) {
    if (control.paintShown_ == shown) {
        return;
    }
    control.paintShown_ = shown;
    if (control.canvasSlot_ >= 0) {
        plainShown_[static_cast<std::size_t>(control.canvasSlot_)] = shown ? 1 : 0;
    }
    changed();
}

void MatrixCanvas::restack(ScenePaintable& control, qreal z) {
    const auto entry = std::find_if(stacked_.begin(), stacked_.end(),
                                    [&control](const auto& e) { return e.second == &control; });
    if (entry != stacked_.end()) {
        stacked_.erase(entry);
    } else if (control.canvasSlot_ >= 0) {
        const auto slot = static_cast<std::size_t>(control.canvasSlot_);
        plain_[slot] = nullptr;
        plainShown_[slot] = 0;
        control.canvasSlot_ = -1;
    }
    if (z == 0) {
        control.canvasSlot_ = static_cast<std::int32_t>(plain_.size());
        plain_.push_back(&control);
        plainShown_.push_back(control.paintShown_ ? 1 : 0);
    } else {
        // Last among equals, as a control brought to a level comes on top of it.
        const auto at =
            std::upper_bound(stacked_.begin(), stacked_.end(), z,
                             [](qreal level, const auto& e) { return level < e.first; });
        stacked_.insert(at, {z, &control});
    }
    changed();
}

void MatrixCanvas::setBackground(const QColor& color) {
    background_ = color;
    changed();
}

template <class Visit>
void MatrixCanvas::backToFront(const QRectF& area, Visit&& visit) const {
    auto above =
        std::find_if(stacked_.begin(), stacked_.end(), [](const auto& e) { return e.first > 0; });
    for (auto it = stacked_.begin(); it != above; ++it) {
        visit(*it->second);
    }
    auto group = groups_.begin();
    for (std::size_t i = 0; i <= plainShown_.size(); ++i) {
        for (; group != groups_.end() && group->first == i; ++group) {
            group->second->VisitShown(area, visit);
        }
        if (i < plainShown_.size() && plainShown_[i] != 0) {
            visit(*plain_[i]);
        }
    }
    for (auto it = above; it != stacked_.end(); ++it) {
        visit(*it->second);
    }
}

std::vector<ScenePaintable*> MatrixCanvas::controlsIn(const QRectF& area) const {
    std::vector<ScenePaintable*> found;
    backToFront(area, [&area, &found](ScenePaintable& control) {
        if (control.paintShown() && control.paintRect().intersects(area)) {
            found.push_back(&control);
        }
    });
    return found;
}

ScenePaintable* MatrixCanvas::controlAt(const QPointF& pixel) const {
    ScenePaintable* top = nullptr;
    backToFront(QRectF(pixel, pixel), [&pixel, &top](ScenePaintable& control) {
        if (control.paintShown() && control.paintRect().contains(pixel)) {
            top = &control;
        }
    });
    return top;
}

void MatrixCanvas::paintEvent(QPaintEvent* event) {
    repaintDue_ = false;
    QPainter painter(this);
    const QRectF exposed = event->rect();
    painter.fillRect(exposed, background_);
    backToFront(exposed, [&painter, &exposed](ScenePaintable& control) {
        if (control.paintShown() && control.paintRect().intersects(exposed)) {
            control.paint(painter, control.paintRect());
        }
    });
}

bool MatrixCanvas::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const ScenePaintable* control = controlAt(help->pos());
        const QString tip = control != nullptr ? control->toolTip() : QString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            // Names and notes are shown as typed, in lines as typed: a text that starts like a
            // tag stays text, and a long line wraps to fit the screen the tip shows on.
            QToolTip::showText(help->globalPos(),
                               plainToolTip(tip, QGuiApplication::screenAt(help->globalPos())),
                               this);
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace vrn
