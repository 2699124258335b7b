#pragma once

#include "app/matrixwin/scene_context.h"
#include "app/matrixwin/scene_item.h"
#include "platform/ole_color.h"

#include <cstdint>
#include <string>

namespace vrn {

// A control of the matrix window drawn as one item on the window's scene. It keeps every
// property as last set, in twips and OLE colours, so the layout and the reports can read them
// back. Its item is made when the control is first shown with a size: a large matrix hands out
// hundreds of thousands of controls and lays out a small part of them. Once the window has gone
// (forgetScene) the control keeps answering and simply shows nothing, because a document may hold
// its controls longer than its window.
template <class Interface>
class SceneControlBase : public Interface, public ScenePaintable {
public:
    explicit SceneControlBase(SceneContext& context) : context_(&context) {}
    ~SceneControlBase() override { delete item_; }
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
        resize();
    }
    float Height() const override { return height_; }
    void setHeight(float value) override {
        height_ = value;
        resize();
    }

    bool Visible() const override { return visible_; }
    void setVisible(bool value) override {
        visible_ = value;
        makeItem();
        if (item_ != nullptr) {
            item_->setVisible(value);
        }
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
            z_ = context_->nextZ(position);
        }
        if (item_ != nullptr) {
            item_->setZValue(z_);
        }
    }

    QSizeF pixelSize() const override {
        return context_ == nullptr ? QSizeF()
                                   : QSizeF(context_->extent(width_), context_->extent(height_));
    }

    // The window is going and its scene deletes every item at once; the control stays.
    void forgetScene() {
        item_ = nullptr;
        context_ = nullptr;
    }
    // Null until the control is first shown, and once its window has gone.
    const QGraphicsItem* item() const { return item_; }

protected:
    // Sets what the new item carries beyond position, size and stacking.
    virtual void itemMade(QGraphicsItem&) {}
    QGraphicsItem* sceneItem() { return item_; }
    void repaint() {
        if (item_ != nullptr) {
            item_->update();
        }
    }
    QString qtText() const { return QString::fromStdString(text_); }
    QColor qtBackColor() const { return colorFromOle(backColor_); }

private:
    void makeItem() {
        if (item_ != nullptr || context_ == nullptr || !visible_ || pixelSize().isEmpty()) {
            return;
        }
        item_ = new SceneItem(*this);
        item_->setPos(context_->pixels(left_), context_->pixels(top_));
        item_->setZValue(z_);
        itemMade(*item_);
        context_->scene->addItem(item_);
    }
    void place() {
        if (item_ != nullptr) {
            item_->setPos(context_->pixels(left_), context_->pixels(top_));
        }
    }
    void resize() {
        if (item_ != nullptr) {
            item_->resized();
        } else {
            makeItem();
        }
    }

    SceneContext* context_;
    SceneItem* item_ = nullptr;

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    qreal z_ = 0;
    bool visible_ = false;
    bool enabled_ = true;
    std::int32_t backColor_ = kOleButtonFace;
    std::string text_;
    float fontsize_ = 8;
};

}  // namespace vrn
