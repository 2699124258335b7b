#include "proppages/standin/standin_balloon.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vrn::pp {

namespace {

constexpr int kText = 16;
constexpr int kShape = 18;
constexpr int kRoundWidth = 20;
constexpr int kRoundHeight = 22;
constexpr int kBorderWidth = 24;
constexpr int kPosition = 57;
constexpr int kTailShape = 73;
constexpr int kTailType = 75;
constexpr int kBubbleCount = 85;
constexpr int kHorizontalAlign = 87;
constexpr int kVerticalAlign = 89;
constexpr int kShadowX = 91;
constexpr int kShadowY = 93;
constexpr int kShadowType = 95;

enum Shape { kRound, kSquare, kEllipse, kCloud };
enum Tail { kNoTail, kSolidTail, kBubbleTail };
// Where the balloon stands from its base point: lower right, lower left, upper left, upper right.
enum Position { kLowerRight, kLowerLeft, kUpperLeft, kUpperRight };

constexpr int kTailRoom = 24;
constexpr double kTailHalfWidth = 12;
constexpr double kTailInset = 12;
constexpr int kMostBubbles = 8;
constexpr int kMostBorder = 8;
constexpr int kCloudPuffs = 10;
const PropertyStore::Scope kWhole{0, 0, 0};

Qt::Alignment alignmentOf(qint32 horizontal, qint32 vertical) {
    const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return across[horizontal >= 0 && horizontal < 3 ? horizontal : 1] |
           down[vertical >= 0 && vertical < 3 ? vertical : 1];
}

QPainterPath bodyPath(const QRectF& body, qint32 shape, float roundWidth, float roundHeight) {
    QPainterPath path;
    switch (shape) {
        case kSquare:
            path.addRect(body);
            break;
        case kEllipse:
            path.addEllipse(body);
            break;
        case kCloud: {
            // Puffs along the edge of an inner ellipse, all inside the body.
            constexpr double kPuffRadiusX = 14;
            constexpr double kPuffRadiusY = 11;
            path.setFillRule(Qt::WindingFill);
            path.addEllipse(
                body.adjusted(kPuffRadiusX, kPuffRadiusY, -kPuffRadiusX, -kPuffRadiusY));
            for (int i = 0; i < kCloudPuffs; ++i) {
                const double angle = 2 * M_PI * i / kCloudPuffs;
                const QPointF centre(
                    body.center().x() + (body.width() / 2 - kPuffRadiusX) * std::cos(angle),
                    body.center().y() + (body.height() / 2 - kPuffRadiusY) * std::sin(angle));
                path.addEllipse(centre, kPuffRadiusX, kPuffRadiusY);
            }
            path = path.simplified();
            break;
        }
        default:
            path.addRoundedRect(body, std::clamp(roundWidth, 2.0f, 40.0f),
                                std::clamp(roundHeight, 2.0f, 40.0f));
            break;
    }
    return path;
}

}  // namespace

StandInBalloon::StandInBalloon(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("standInBalloon"));
    store_.setDefault(kText, QStringLiteral("A stand-in balloon"));
    store_.setDefault(kRoundWidth, 16.0f);
    store_.setDefault(kRoundHeight, 16.0f);
    store_.setDefault(kBorderWidth, qint16{1});
    store_.setDefault(kTailType, qint32{kSolidTail});
    store_.setDefault(kBubbleCount, qint16{3});
    store_.setDefault(kHorizontalAlign, qint32{1});
    store_.setDefault(kVerticalAlign, qint32{1});
    store_.setDefault(kShadowType, qint32{1});
    store_.setDefault(kShadowX, qint16{4});
    store_.setDefault(kShadowY, qint16{4});
    store_.setDefault(103, qint32{500});
    store_.setDefault(105, qint32{100});
    for (const int length : {63, 65, 67, 69, 71, 77, 79}) {
        store_.setDefault(length, 0.0f);
    }
}

PropertyValue StandInBalloon::get(int getterSlot) {
    return store_.get(getterSlot, kWhole);
}

void StandInBalloon::set(int setterSlot, const PropertyValue& value) {
    store_.set(setterSlot - 1, kWhole, value);
    update();
}

ControlProperties* StandInBalloon::QueryInterface(const QUuid& iid) {
    return iid == kIID_IBalloonControl ? this : nullptr;
}

QSize StandInBalloon::sizeHint() const {
    return {220, 140};
}

void StandInBalloon::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qint32 position = toLong(get(kPosition));
    const bool tailAtTop = position == kLowerRight || position == kLowerLeft;
    const bool tailAtLeft = position == kLowerRight || position == kUpperLeft;
    const int dx = std::clamp<int>(toShort(get(kShadowX)), -kTailRoom, kTailRoom);
    const int dy = std::clamp<int>(toShort(get(kShadowY)), -kTailRoom, kTailRoom);
    QRectF body = QRectF(rect()).adjusted(2 + std::max(0, -dx), 2 + std::max(0, -dy),
                                          -2 - std::max(0, dx), -2 - std::max(0, dy));
    const qint32 tail = toLong(get(kTailType));
    if (tail != kNoTail) {
        body.adjust(0, tailAtTop ? kTailRoom : 0, 0, tailAtTop ? 0 : -kTailRoom);
    }
    QPainterPath path =
        bodyPath(body, toLong(get(kShape)), toFloat(get(kRoundWidth)), toFloat(get(kRoundHeight)));
    // The tail runs from the body to the corner of the base point.
    const QPointF tip(tailAtLeft ? rect().left() + 6 : rect().right() - 6,
                      tailAtTop ? rect().top() + 2 : rect().bottom() - 2);
    const double baseX =
        tailAtLeft ? body.left() + body.width() * 0.25 : body.right() - body.width() * 0.25;
    // The tail's base lies just inside the body's edge that faces the base point.
    const double baseY = tailAtTop ? body.top() + kTailInset : body.bottom() - kTailInset;
    if (tail == kSolidTail) {
        QPainterPath wedge;
        const double curl = toLong(get(kTailShape)) == 0 ? 0 : 10;
        wedge.moveTo(baseX - kTailHalfWidth, baseY);
        wedge.quadTo(QPointF((baseX + tip.x()) / 2 - curl, (baseY + tip.y()) / 2), tip);
        wedge.lineTo(baseX + kTailHalfWidth, baseY);
        wedge.closeSubpath();
        path = path.united(wedge);
    }
    const qint32 shadow = toLong(get(kShadowType));
    if (shadow != 0) {
        painter.fillPath(path.translated(dx, dy),
                         QBrush(palette().color(QPalette::Shadow),
                                shadow == 1 ? Qt::SolidPattern : Qt::Dense4Pattern));
    }
    const int border = std::clamp<int>(toShort(get(kBorderWidth)), 0, kMostBorder);
    painter.setPen(border == 0 ? QPen(Qt::NoPen)
                               : QPen(palette().color(QPalette::ToolTipText), border));
    painter.setBrush(palette().toolTipBase());
    painter.drawPath(path);
    if (tail == kBubbleTail) {
        const int bubbles = std::clamp<int>(toShort(get(kBubbleCount)), 0, kMostBubbles);
        const double edgeY = baseY;
        for (int i = 0; i < bubbles; ++i) {
            const double t = (i + 1.0) / (bubbles + 1.0);
            const QPointF centre(baseX + (tip.x() - baseX) * t, edgeY + (tip.y() - edgeY) * t);
            const double radius = 6.0 * (1.0 - t) + 2.0;
            painter.drawEllipse(centre, radius, radius);
        }
    }
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawText(
        body.adjusted(12, 8, -12, -8).toRect(),
        alignmentOf(toLong(get(kHorizontalAlign)), toLong(get(kVerticalAlign))) | Qt::TextWordWrap,
        toText(get(kText)));
}

}  // namespace vrn::pp
