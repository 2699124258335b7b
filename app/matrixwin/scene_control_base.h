#pragma once

#include "app/matrixwin/scene_context.h"
#include "app/matrixwin/scene_paintable.h"
#include "platform/ole_color.h"

#include <cstdint>
#include <string>

namespace vrn {

// A control of the matrix window drawn on the window's canvas. It keeps every property as last
// set, in twips and OLE colours, so the layout and the reports can read them back; a change to
// a shown control asks the canvas for one repaint. Once the window has gone (forgetScene) the
// control keeps answering and simply shows nothing, because a document may hold its controls
// longer than its window.
template <class Interface>
class SceneControlBase : public Interface, public SceneFrameMember {
public:
    explicit SceneControlBase(SceneContext& context) : context_(&context) {
        context.canvas->add(*this);
    }
    ~SceneControlBase() override {
        if (context_ != nullptr) {
            context_->canvas->remove(*this);
        }
    }
    SceneControlBase(const SceneControlBase&) = delete;
    SceneControlBase& operator=(const SceneControlBase&) = delete;

    float left() const override { return left_; }
    void setLeft(float value) override {
        left_ = value;
        place();
    }
    float top() const override { return top_; }
    void setTop(float value) override {
        top_ = value;
        place();
    }
    float Width() const override { return width_; }
    void setWidth(float value) override {
        width_ = value;
        place();
    }
    float Height() const override { return height_; }
    void setHeight(float value) override {
        height_ = value;
        place();
    }

    bool Visible() const override { return visible_; }
    void setVisible(bool value) override {
        if (value == visible_) {
            return;
        }
        visible_ = value;
        wantShown(context_ != nullptr ? context_->canvas : nullptr, value);
    }
    bool Enabled() const override { return enabled_; }
    void setEnabled(bool value) override {
        enabled_ = value;
        repaint();
    }
    std::int32_t BackColor() const override { return backColor_; }
    void setBackColor(std::int32_t value) override {
        backColor_ = value;
        repaint();
    }

    std::string text() const override { return text_; }
    void setText(const std::string& value) override {
        text_ = value;
        repaint();
    }
    float fontsize() const override { return fontsize_; }
    void setFontsize(float value) override {
        fontsize_ = value;
        repaint();
    }

    void ZOrder(int position) override {
        if (context_ != nullptr) {
            context_->canvas->restack(*this, context_->nextZ(position));
        }
    }

    // The window is going with its canvas; the control stays.
    void forgetScene() {
        context_ = nullptr;
        leaveCanvas();
    }
    // Whether the control is drawn: shown on a canvas with a size.
    bool drawn() const { return paintShown() && !paintRect().isEmpty(); }

protected:
    void repaint() {
        if (paintShown()) {
            context_->canvas->changed();
        }
    }
    QString qtText() const { return QString::fromStdString(text_); }
    QColor qtBackColor() const { return colorFromOle(backColor_); }

    QRectF computeRect() const override {
        if (context_ == nullptr) {
            return {};
        }
        return QRectF(context_->pixels(left_), context_->pixels(top_), context_->extent(width_),
                      context_->extent(height_));
    }

private:
    void place() { repaint(); }

    SceneContext* context_;

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = false;
    bool enabled_ = true;
    std::int32_t backColor_ = kOleButtonFace;
    std::string text_;
    float fontsize_ = 8;
};

}  // namespace vrn
