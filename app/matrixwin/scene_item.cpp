#include "app/matrixwin/scene_item.h"

#include <QPainter>

namespace vrn {

void SceneItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    owner_.paint(*painter, boundingRect());
}

}  // namespace vrn
