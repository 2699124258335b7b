#pragma once

#include <QRectF>
#include <QString>

#include <cstddef>
#include <vector>

class QPainter;

namespace vrn {

class MatrixCanvas;

// What the matrix window's canvas draws: a control that knows whether it shows, where it is in
// canvas pixels, and how it looks. Scrolling moves every control, so the place is worked out
// only when the canvas asks for it after a move. A control may sit inside a frame: it is then
// placed from the frame's corner, moves with it and shows only while the frame shows.
class ScenePaintable {
    friend class MatrixCanvas;

public:
    virtual ~ScenePaintable() = default;

    bool paintShown() const { return paintShown_; }
    // Empty when the control draws nothing.
    const QRectF& paintRect() const {
        if (rectStale_) {
            paintRect_ = computeRect().translated(frameCorner());
            rectStale_ = false;
        }
        return paintRect_;
    }

    virtual void paint(QPainter& painter, const QRectF& rect) const = 0;
    virtual QString toolTip() const { return {}; }

    // Puts this control inside `frame`, for good.
    void placeInside(ScenePaintable& frame) {
        frame_ = &frame;
        frame.contents_.push_back(this);
    }

protected:
    // The control's rectangle in its frame, or on the canvas when it has none.
    virtual QRectF computeRect() const = 0;
    void geometryChanged() {
        rectStale_ = true;
        for (ScenePaintable* content : contents_) {
            content->geometryChanged();
        }
    }
    // The control wants to show, or not; `canvas` is none once the window has gone.
    void wantShown(MatrixCanvas* canvas, bool shown) {
        wantsShown_ = shown;
        refreshShown(canvas);
    }
    // The canvas is going: the control shows nowhere.
    void leaveCanvas() {
        paintShown_ = false;
        canvasSlot_ = -1;
    }

private:
    QPointF frameCorner() const {
        return frame_ != nullptr ? frame_->paintRect().topLeft() : QPointF();
    }
    void refreshShown(MatrixCanvas* canvas);

    bool wantsShown_ = false;
    // Set through the canvas, which keeps a list of what is shown.
    bool paintShown_ = false;
    // Where the canvas keeps the control among those of level 0; -1 for another level.
    std::ptrdiff_t canvasSlot_ = -1;
    ScenePaintable* frame_ = nullptr;
    std::vector<ScenePaintable*> contents_;
    mutable QRectF paintRect_;
    mutable bool rectStale_ = true;
};

}  // namespace vrn
