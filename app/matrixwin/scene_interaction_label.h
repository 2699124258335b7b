#pragma once

#include "app/matrixwin/scene_paintable.h"
#include "model/interfaces/interaction_label.h"

#include <cstdint>
#include <string>

namespace vrn {

struct InteractionCellShelf;

// The small label that shows one interaction's value on the matrix window. A window holds one
// for every interaction of its document, so it keeps its texts as numbers in its window's table
// of texts (InteractionCellShelf) and reaches the canvas through it; InteractionCells makes and
// keeps them, and tells each where to find the shelf. Like the other controls it keeps answering
// after its window has gone.
class SceneInteractionLabel final : public InteractionLabel, public ScenePaintable {
public:
    // A cell of `width` by `height` twips, made in a block of InteractionCells, which knows the
    // window's shelf and the cell's index.
    SceneInteractionLabel(float width, float height);
    ~SceneInteractionLabel() override;
    SceneInteractionLabel(const SceneInteractionLabel&) = delete;
    SceneInteractionLabel& operator=(const SceneInteractionLabel&) = delete;

    float left() const override { return left_; }
    void setLeft(float value) override;
    float top() const override { return top_; }
    void setTop(float value) override;
    float Width() const override { return width_; }
    void setWidth(float value) override;
    float Height() const override { return height_; }
    void setHeight(float value) override;

    bool Visible() const override { return visible_; }
    void setVisible(bool value) override;
    bool Enabled() const override { return enabled_; }
    void setEnabled(bool value) override;
    std::int32_t BackColor() const override { return backColor_; }
    void setBackColor(std::int32_t value) override;

    std::string text() const override;
    void setText(const std::string& value) override;
    float fontsize() const override { return fontsize_; }
    void setFontsize(float value) override;
    void ZOrder(int position) override;

    std::string ToolTipText() const override;
    void setToolTipText(const std::string& value) override;
    std::int16_t BackStyle() const override { return backStyle_; }
    void setBackStyle(std::int16_t value) override;

    // The 1-based control index.
    std::int32_t index() const;
    // Whether the cell may meet `area` (canvas pixels, edges included); false only when it
    // surely does not.
    bool MayMeet(const QRectF& area) const;
    // Whether the canvas draws the cell: shown and of some size.
    bool drawn() const { return paintShown() && !paintRect().isEmpty(); }
    // The window is going with its canvas; the cell stays.
    void forgetScene() { leaveCanvas(); }

    void paint(QPainter& painter, const QRectF& rect) const override;
    QString toolTip() const override;

protected:
    QRectF computeRect() const override;

private:
    void repaint();
    InteractionCellShelf& shelf() const;

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    std::int32_t backColor_;
    float fontsize_ = 8;
    std::uint32_t text_ = 0;  // numbers in the shelf's table of texts
    std::uint32_t toolTip_ = 0;
    std::int16_t backStyle_ = 1;
    bool visible_ = false;
    bool enabled_ = true;
};

}  // namespace vrn
