#pragma once

#include "app/matrixwin/scene_context.h"
#include "app/matrixwin/scene_paintable.h"
#include "model/interfaces/line_control.h"

namespace vrn {

// A grid line of the matrix window, in twips, drawn on the window's canvas while it is shown.
// Like the other controls it keeps answering after its window has gone.
class SceneLine : public LineControl, public ScenePaintable {
public:
    explicit SceneLine(SceneContext& context);
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
    bool drawn() const { return paintShown(); }
    void paint(QPainter& painter, const QRectF& rect) const override;

protected:
    QRectF computeRect() const override;

private:
    void place();
    int penPixels() const;

    SceneContext* context_;
    float x1_ = 0;
    float y1_ = 0;
    float x2_ = 0;
    float y2_ = 0;
    bool visible_ = false;
    std::int16_t borderWidth_ = 1;
};

}  // namespace vrn
