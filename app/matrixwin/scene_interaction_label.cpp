#include "app/matrixwin/scene_interaction_label.h"

#include "app/matrixwin/interaction_cells.h"
#include "app/matrixwin/scene_text.h"
#include "platform/ole_color.h"

#include <QPainter>

namespace vrn {

namespace {

constexpr std::int16_t kOpaque = 1;

}  // namespace

SceneInteractionLabel::SceneInteractionLabel(float width, float height)
    : width_(width), height_(height), backColor_(kOleButtonFace) {}

InteractionCellShelf& SceneInteractionLabel::shelf() const {
    return *BlockHeaderOf(*this).shelf;
}

std::int32_t SceneInteractionLabel::index() const {
    const InteractionCellBlockHeader& header = BlockHeaderOf(*this);
    const auto first = reinterpret_cast<std::uintptr_t>(&header) + kCellBlockHeaderBytes;
    const auto at = reinterpret_cast<std::uintptr_t>(this);
    return header.firstIndex +
           static_cast<std::int32_t>((at - first) / sizeof(InteractionCellSlot));
}

SceneInteractionLabel::~SceneInteractionLabel() = default;

void SceneInteractionLabel::repaint() {
    if (paintShown()) {
        shelf().context->canvas->changed();
    }
}

void SceneInteractionLabel::setLeft(float value) {
    left_ = value;
    repaint();
}

void SceneInteractionLabel::setTop(float value) {
    top_ = value;
    repaint();
}

void SceneInteractionLabel::setWidth(float value) {
    width_ = value;
    repaint();
}

void SceneInteractionLabel::setHeight(float value) {
    height_ = value;
    repaint();
}

void SceneInteractionLabel::setVisible(bool value) {
    if (value == visible_) {
        return;
    }
    visible_ = value;
    InteractionCellShelf& cells = shelf();
    if (cells.context != nullptr) {
        cells.MarkShown(index(), value);
        showPlainly(*cells.context->canvas, value);
    }
}

void SceneInteractionLabel::setEnabled(bool value) {
    enabled_ = value;
    repaint();
}

void SceneInteractionLabel::setBackColor(std::int32_t value) {
    backColor_ = value;
    repaint();
}

std::string SceneInteractionLabel::text() const {
    return std::string(shelf().Text(text_));
}

void SceneInteractionLabel::setText(const std::string& value) {
    if (InteractionCellShelf& cells = shelf(); cells.Text(text_) != value) {
        text_ = cells.Number(value);
        repaint();
    }
}

void SceneInteractionLabel::setFontsize(float value) {
    fontsize_ = value;
    repaint();
}

void SceneInteractionLabel::ZOrder(int /*position*/) {
    // The cells keep the order they were made in, in the window's one group of them.
}

std::string SceneInteractionLabel::ToolTipText() const {
    return std::string(shelf().Text(toolTip_));
}

void SceneInteractionLabel::setToolTipText(const std::string& value) {
    if (InteractionCellShelf& cells = shelf(); cells.Text(toolTip_) != value) {
        toolTip_ = cells.Number(value);
    }
}

void SceneInteractionLabel::setBackStyle(std::int16_t value) {
    backStyle_ = value;
    repaint();
}

QRectF SceneInteractionLabel::computeRect() const {
    const SceneContext* context = shelf().context;
    if (context == nullptr) {
        return {};
    }
    return QRectF(context->pixels(left_), context->pixels(top_), context->extent(width_),
                  context->extent(height_));
}

bool SceneInteractionLabel::MayMeet(const QRectF& area) const {
    const SceneContext* context = shelf().context;
    if (context == nullptr) {
        return false;
    }
    const qreal x = context->pixels(left_);
    const qreal y = context->pixels(top_);
    return x <= area.right() && y <= area.bottom() && x + context->extent(width_) >= area.left() &&
           y + context->extent(height_) >= area.top();
}

void SceneInteractionLabel::paint(QPainter& painter, const QRectF& rect) const {
    const bool opaque = backStyle_ == kOpaque;
    const QColor back = colorFromOle(backColor_);
    if (opaque) {
        painter.fillRect(rect, back);
    }
    const std::string_view caption = shelf().Text(text_);
    drawSceneText(painter, rect,
                  QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                  fontsize_, Qt::AlignCenter, enabled_, opaque ? back : QColor());
}

QString SceneInteractionLabel::toolTip() const {
    return QString::fromStdString(ToolTipText());
}

}  // namespace vrn
