#include "proppages/standin/standin_button.h"

#include "proppages/button_slots.h"

#include <QPainter>
#include <QPalette>
#include <QRegion>

#include <set>

namespace vrn::pp {

namespace {

// Slots that the button keeps for each cell, for each segment of a cell, and for each of its two
// margin sets.
const std::set<int> kCellSlots{25, 27, 31, 37,  61,  67,  73,  75,  77, 79,
                               81, 83, 85, 102, 144, 185, 187, 193, 212};
const std::set<int> kSegmentSlots{33, 35, 39, 41, 43, 45, 49, 55, 132, 138, 195};
const std::set<int> kMarginSlots{173, 175, 177, 179};

enum ScopeGroup { kWholeButton, kCell, kSegment, kMarginSet };

constexpr int kEnabled = 7;
constexpr int kCellText = 25;
constexpr int kHorizontalAlign = 83;
constexpr int kVerticalAlign = 85;
constexpr int kCellEnabled = 187;
constexpr int kBackStyle = 140;
constexpr int kShadowType = 165;
constexpr int kShadowX = 161;
constexpr int kShadowY = 163;
constexpr int kMarginSelector = 181;

// Back styles: 0 a transparent grey area, 1 opaque; any other value a transparent button.
constexpr qint16 kTransparentGreyArea = 0;
constexpr qint16 kOpaque = 1;
// Drop shadow types: none, solid, dithered, solid on focus, dithered on focus.
constexpr qint32 kDitheredShadow = 2;
constexpr qint32 kDitheredFocusShadow = 4;
constexpr int kMostCellsPainted = 16;

Qt::Alignment alignmentOf(qint32 horizontal, qint32 vertical) {
    const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return across[horizontal >= 0 && horizontal < 3 ? horizontal : 1] |
           down[vertical >= 0 && vertical < 3 ? vertical : 1];
}

}  // namespace

StandInButton::StandInButton(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("standInButton"));
    for (const int text : {25, 27, 193}) {
        store_.setDefault(text, QString());
    }
    for (const int flag : {kEnabled, kCellEnabled}) {
        store_.setDefault(flag, qint16{1});
    }
    store_.setDefault(btn::kCellCount, qint16{2});
    store_.setDefault(btn::kSegmentCount, qint16{1});
    store_.setDefault(kBackStyle, kOpaque);
    store_.setDefault(kShadowType, qint32{1});
    store_.setDefault(kShadowX, qint16{3});
    store_.setDefault(kShadowY, qint16{3});
    store_.setDefault(kHorizontalAlign, qint32{1});
    store_.setDefault(kVerticalAlign, qint32{1});
    store_.setDefault(kMarginSelector, qint16{1});
    for (const int length :
         {33, 35, 43, 45, 73, 75, 77, 79, 153, 155, 157, 159, 173, 175, 177, 179}) {
        store_.setDefault(length, 0.0f);
    }
    store_.set(kCellText, {kCell, 0, 0}, QStringLiteral("Stand-in"));
    store_.set(kCellText, {kCell, 1, 0}, QStringLiteral("Button"));
}

PropertyStore::Scope StandInButton::scopeOf(int getterSlot) const {
    const int cell = toShort(store_.get(btn::kCurrentCell, {kWholeButton, 0, 0}));
    if (kCellSlots.contains(getterSlot)) {
        return {kCell, cell, 0};
    }
    if (kSegmentSlots.contains(getterSlot)) {
        const int segment = toShort(store_.get(btn::kCurrentSegment, {kCell, cell, 0}));
        return {kSegment, cell, segment};
    }
    if (kMarginSlots.contains(getterSlot)) {
        return {kMarginSet, toShort(store_.get(kMarginSelector, {kWholeButton, 0, 0})), 0};
    }
    return {kWholeButton, 0, 0};
}

PropertyValue StandInButton::get(int getterSlot) {
    return store_.get(getterSlot, scopeOf(getterSlot));
}

void StandInButton::set(int setterSlot, const PropertyValue& value) {
    const int getterSlot = setterSlot - 1;
    store_.set(getterSlot, scopeOf(getterSlot), value);
    update();
}

ControlProperties* StandInButton::QueryInterface(const QUuid& iid) {
    return iid == kIID_IButtonControl ? this : nullptr;
}

PropertyValue StandInButton::cellValue(int getterSlot, int cell) const {
    return store_.get(getterSlot, {kCell, cell, 0});
}

QSize StandInButton::sizeHint() const {
    return {220, 60};
}

void StandInButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const PropertyStore::Scope whole{kWholeButton, 0, 0};
    const qint32 shadowType = toLong(store_.get(kShadowType, whole));
    const int dx = toShort(store_.get(kShadowX, whole));
    const int dy = toShort(store_.get(kShadowY, whole));
    const QRect face = rect().adjusted(std::max(0, -dx), std::max(0, -dy), -std::max(0, dx) - 1,
                                       -std::max(0, dy) - 1);
    const qint16 backStyle = toShort(store_.get(kBackStyle, whole));
    // A transparent button has no face of its own: what lies under it shows through, so its
    // shadow falls only beside the face, never under it.
    const bool transparent = backStyle != kTransparentGreyArea && backStyle != kOpaque;
    if (shadowType != 0) {
        const bool dithered = shadowType == kDitheredShadow || shadowType == kDitheredFocusShadow;
        const QBrush shadow(palette().color(QPalette::Shadow),
                            dithered ? Qt::Dense4Pattern : Qt::SolidPattern);
        QRegion shadowArea(face.translated(dx, dy));
        if (transparent) {
            shadowArea -= QRegion(face);
        }
        for (const QRect& part : shadowArea) {
            painter.fillRect(part, shadow);
        }
    }
    if (backStyle == kOpaque) {
        painter.fillRect(face, palette().button());
    } else if (!transparent) {
        painter.fillRect(face, QBrush(palette().color(QPalette::Button), Qt::Dense2Pattern));
    }
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawRect(face);

    const bool enabled = toShort(store_.get(kEnabled, whole)) != 0;
    const int count =
        std::clamp<int>(toShort(store_.get(btn::kCellCount, whole)), 0, kMostCellsPainted);
    // No cells: the defaults of all cells fill the button.
    const int firstCell = count == 0 ? btn::kDefaultCell : 0;
    const int cells = std::max(count, 1);
    const int width = face.width() / cells;
    for (int i = 0; i < cells; ++i) {
        const int cell = firstCell + i;
        const QRect area(face.left() + i * width, face.top(), width, face.height());
        if (i > 0) {
            painter.drawLine(area.topLeft(), area.bottomLeft());
        }
        const bool cellEnabled = enabled && toShort(cellValue(kCellEnabled, cell)) != 0;
        painter.setPen(palette().color(cellEnabled ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(area.adjusted(4, 2, -4, -2),
                         alignmentOf(toLong(cellValue(kHorizontalAlign, cell)),
                                     toLong(cellValue(kVerticalAlign, cell))),
                         toText(cellValue(kCellText, cell)));
    }
}

}  // namespace vrn::pp
