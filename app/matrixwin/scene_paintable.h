#pragma once

#include <QRectF>
#include <QString>

#include <cstddef>

class QPainter;

namespace vrn {

// What the matrix window's canvas draws: a control that knows whether it shows, where it is in
// canvas pixels, and how it looks. Scrolling moves every control, so the place is worked out
// only when the canvas asks for it after a move.
class ScenePaintable {
    friend class MatrixCanvas;

public:
    virtual ~ScenePaintable() = default;

    bool paintShown() const { return paintShown_; }
    // Empty when the control draws nothing.
    const QRectF& paintRect() const {
        if (rectStale_) {
            paintRect_ = computeRect();
            rectStale_ = false;
        }
        return paintRect_;
    }

    virtual void paint(QPainter& painter, const QRectF& rect) const = 0;
    virtual QString toolTip() const { return {}; }

protected:
    virtual QRectF computeRect() const = 0;
    void geometryChanged() { rectStale_ = true; }
    // The canvas is going: the control shows nowhere.
    void leaveCanvas() {
        paintShown_ = false;
        canvasSlot_ = -1;
    }

private:
    // Set through the canvas, which keeps a list of what is shown.
    bool paintShown_ = false;
    // Where the canvas keeps the control among those of level 0; -1 for another level.
    std::ptrdiff_t canvasSlot_ = -1;
    mutable QRectF paintRect_;
    mutable bool rectStale_ = true;
};

}  // namespace vrn
