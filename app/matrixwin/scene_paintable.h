#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace vrn {

class MatrixCanvas;

// What the matrix window's canvas draws: a control that knows whether it shows, where it is in
// canvas pixels, and how it looks. Scrolling moves every control, so the place is worked out
// only when the canvas asks for it. A window holds hundreds of thousands of interaction cells,
// so this keeps nothing but the canvas's bookkeeping; frames and what sits in them are
// SceneFrameMember's.
class ScenePaintable {
    friend class MatrixCanvas;

public:
    virtual ~ScenePaintable() = default;

    bool paintShown() const { return paintShown_; }
    // Empty when the control draws nothing.
    QRectF paintRect() const { return computeRect().translated(frameCorner()); }

    virtual void paint(QPainter& painter, const QRectF& rect) const = 0;
    virtual QString toolTip() const { return {}; }

protected:
    ScenePaintable() = default;
    ScenePaintable(const ScenePaintable&) = default;
    ScenePaintable& operator=(const ScenePaintable&) = default;

    // The control's rectangle in its frame, or on the canvas when it has none.
    virtual QRectF computeRect() const = 0;
    // The corner of the frame the control sits in; none for a control on the canvas itself.
    virtual QPointF frameCorner() const { return {}; }
    // Whether the frame the control sits in shows; a control without one needs none.
    virtual bool frameShown() const { return true; }
    // The controls inside this one follow whether it shows.
    virtual void refreshContents(MatrixCanvas* /*canvas*/) {}

    // The control wants to show, or not; `canvas` is none once the window has gone.
    void wantShown(MatrixCanvas* canvas, bool shown) {
        wantsShown_ = shown;
        refreshShown(canvas);
    }
    void refreshShown(MatrixCanvas* canvas);
    // wantShown for a control that sits in no frame and holds none.
    void showPlainly(MatrixCanvas& canvas, bool shown);
    // The canvas is going: the control shows nowhere.
    void leaveCanvas() {
        paintShown_ = false;
        canvasSlot_ = -1;
    }

private:
    // Where the canvas keeps the control among those of level 0; -1 for another level.
    std::int32_t canvasSlot_ = -1;
    bool wantsShown_ = false;
    // Set through the canvas, which keeps a list of what is shown.
    bool paintShown_ = false;
};

// A control that may sit inside a frame, or be a frame holding others: it is then placed from
// the frame's corner, moves with it and shows only while the frame shows.
class SceneFrameMember : public ScenePaintable {
public:
    // Puts this control inside `frame`, for good.
    void placeInside(SceneFrameMember& frame) {
        frame_ = &frame;
        frame.contents_.push_back(this);
    }

protected:
    QPointF frameCorner() const override {
        return frame_ != nullptr ? frame_->paintRect().topLeft() : QPointF();
    }
    bool frameShown() const override { return frame_ == nullptr || frame_->paintShown(); }
    void refreshContents(MatrixCanvas* canvas) override {
        for (SceneFrameMember* content : contents_) {
            content->refreshShown(canvas);
        }
    }

private:
    SceneFrameMember* frame_ = nullptr;
    std::vector<SceneFrameMember*> contents_;
};

}  // namespace vrn
