#include "platform/cell_painter.h"

#include "platform/user_text.h"

#include <QFontMetricsF>
#include <QStringList>
#include <QTextLayout>

#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace vrn {

namespace {

constexpr int kBevelWidth = 1;
constexpr qreal kTextMargin = 2.0;
constexpr double kDefaultPoints = 8.0;
// A text that does not fit may shrink this many points, one at a time, but not below the
// smallest size that is still readable.
constexpr int kShrinkSteps = 2;
constexpr double kSmallestPoints = 6.0;
constexpr int kWrapFlags = Qt::AlignCenter | Qt::TextWordWrap;

bool fitsWrapped(const QFont& font, const QSizeF& space, const QString& text) {
    const QRectF needed = QFontMetricsF(font).boundingRect(
        QRectF(0, 0, space.width(), std::numeric_limits<int>::max()), kWrapFlags, text);
    return needed.width() <= space.width() + 0.5 && needed.height() <= space.height() + 0.5;
}

// As many whole wrapped lines as there is room for; the last ends in "…" when text is left, and
// so does a single word too long for a line.
QString elideLines(const QFont& font, const QSizeF& space, const QString& text) {
    const QFontMetricsF metrics(font);
    const int room =
        std::max(1, static_cast<int>(std::floor(space.height() / metrics.lineSpacing())));
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(space.width());
        const bool last = lines.size() + 1 == room;
        const QString rest = last ? text.mid(line.textStart()).simplified()
                                  : text.mid(line.textStart(), line.textLength()).trimmed();
        lines << elidedLine(metrics, rest, space.width());
        if (last) {
            break;
        }
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

// The screen luminance of an sRGB colour as APCA takes it, with its soft clamp near black.
double screenLuminance(const QColor& color) {
    constexpr double kGamma = 2.4;
    constexpr double kBlackThreshold = 0.022;
    constexpr double kBlackClamp = 1.414;
    const double y = 0.2126729 * std::pow(color.redF(), kGamma) +
                     0.7151522 * std::pow(color.greenF(), kGamma) +
                     0.0721750 * std::pow(color.blueF(), kGamma);
    return y < kBlackThreshold ? y + std::pow(kBlackThreshold - y, kBlackClamp) : y;
}

// How far text of luminance `text` stands out from a background of luminance `back`; dark text
// on a light background and light text on a dark one follow curves of their own.
double lightnessContrast(double back, double text) {
    constexpr double kScale = 1.14;
    if (back > text) {
        return (std::pow(back, 0.56) - std::pow(text, 0.57)) * kScale;
    }
    return (std::pow(text, 0.62) - std::pow(back, 0.65)) * kScale;
}

}  // namespace

QColor readableTextColor(const QColor& back, const QColor& usual) {
    if (!back.isValid()) {
        return usual;
    }
    const double luminance = screenLuminance(back);
    const double onBlack = lightnessContrast(luminance, screenLuminance(Qt::black));
    const double onWhite = lightnessContrast(luminance, screenLuminance(Qt::white));
    return onWhite > onBlack ? QColor(Qt::white) : QColor(Qt::black);
}

QSizeF cellTextSpace(const QRectF& rect, const CellLook& look) {
    const QSizeF inner = rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin).size();
    const QSizeF space = look.cellOrientation == CellLook::kTurned ? inner.transposed() : inner;
    return space.expandedTo(QSizeF(0, 0));
}

QFont cellFont(const QFont& base, const CellLook& look) {
    QFont font = base;
    font.setPointSizeF(look.fontSize > 0 ? look.fontSize : kDefaultPoints);
    font.setBold(look.fontBold);
    font.setItalic(look.fontItalic);
    font.setUnderline(look.fontUnderline);
    return font;
}

CellTextFit fitCellText(const QFont& font, const QSizeF& space, const QString& text) {
    QFont tried = font;
    const double start = font.pointSizeF();
    for (int step = 0; step <= kShrinkSteps; ++step) {
        const double points = start - step;
        if (step > 0 && points < kSmallestPoints) {
            break;
        }
        tried.setPointSizeF(points);
        if (fitsWrapped(tried, space, text)) {
            return CellTextFit{.font = tried, .shown = text, .elided = false};
        }
    }
    const QString shown = elideLines(tried, space, text);
    return CellTextFit{.font = tried, .shown = shown, .elided = shown != text};
}

QString cellToolTip(const QFont& base, const QRectF& rect, const CellLook& look) {
    if (rect.isEmpty() || look.text.isEmpty()) {
        return {};
    }
    return fitCellText(cellFont(base, look), cellTextSpace(rect, look), look.text).elided
               ? look.text
               : QString();
}

void paintCell(QPainter& painter, const QRectF& rect, const CellLook& look,
               const QPalette& palette) {
    if (rect.isEmpty()) {
        return;
    }
    painter.save();
    const QBrush fill(look.backColor.isValid() ? look.backColor : palette.color(QPalette::Button));
    qDrawShadePanel(&painter, rect.toAlignedRect(), palette, look.pressed, kBevelWidth, &fill);

    const CellTextFit fit =
        fitCellText(cellFont(painter.font(), look), cellTextSpace(rect, look), look.text);
    painter.setFont(fit.font);
    painter.setPen(readableTextColor(look.backColor, palette.color(QPalette::ButtonText)));
    painter.setClipRect(rect);

    QRectF textRect = rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    if (look.pressed) {
        textRect.translate(1, 1);
    }
    if (look.cellOrientation == CellLook::kTurned) {
        // Turn about the centre and lay the text out along the cell's height.
        const QPointF centre = textRect.center();
        painter.translate(centre);
        painter.rotate(-90);
        textRect = QRectF(-textRect.height() / 2, -textRect.width() / 2, textRect.height(),
                          textRect.width());
    }
    painter.drawText(textRect, fit.elided ? int(Qt::AlignCenter) : kWrapFlags, fit.shown);
    painter.restore();
}

}  // namespace vrn
