#pragma once

#include "app/matrixwin/scene_context.h"
#include "model/interfaces/line_control.h"

class QGraphicsLineItem;

namespace vrn {

// A grid line of the matrix window, in twips, drawn as one line item on the window's scene once
// it is first shown. Like the other controls it keeps answering after its window has gone.
class SceneLine : public LineControl {
public:
    explicit SceneLine(SceneContext& context) : context_(&context) {}
    ~SceneLine() override;
    SceneLine(const SceneLine&) = delete;
    SceneLine& operator=(const SceneLine&) = delete;

    float X1() const override { return x1_; }
    void setX1(float value) override;
    float Y1() const override { return y1_; }
    void setY1(float value) override;
    float X2() const override { return x2_; }
    void setX2(float value) override;
    float Y2() const override { return y2_; }
    void setY2(float value) override;

    bool Visible() const override { return visible_; }
    void setVisible(bool value) override;
    std::int16_t BorderWidth() const override { return borderWidth_; }
    void setBorderWidth(std::int16_t value) override;

    void forgetScene();
    const QGraphicsLineItem* item() const { return item_; }

private:
    void makeItem();
    void place();
    void applyPen();

    SceneContext* context_;
    QGraphicsLineItem* item_ = nullptr;
    float x1_ = 0;
    float y1_ = 0;
    float x2_ = 0;
    float y2_ = 0;
    bool visible_ = false;
    std::int16_t borderWidth_ = 1;
};

}  // namespace vrn
