#pragma once

#include <QGraphicsItem>

namespace vrn {

// What a scene item shows: its owner paints it and knows its size.
class ScenePaintable {
public:
    virtual ~ScenePaintable() = default;

    virtual QSizeF pixelSize() const = 0;
    virtual void paint(QPainter& painter, const QRectF& rect) const = 0;
};

// A lightweight item on the matrix window's scene, drawn by the control that owns it. The control
// deletes the item before the control goes.
class SceneItem : public QGraphicsItem {
public:
    explicit SceneItem(const ScenePaintable& owner) : owner_(owner) {}

    QRectF boundingRect() const override { return QRectF(QPointF(0, 0), owner_.pixelSize()); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // The owner's size changed.
    void resized() { prepareGeometryChange(); }

private:
    const ScenePaintable& owner_;
};

}  // namespace vrn
