#include "app/matrixwin/scene_fixed_control.h"

#include "app/matrixwin/scene_text.h"
#include "platform/cell_painter.h"
#include "platform/user_text.h"

#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>

#include <algorithm>

namespace vrn {

namespace {

constexpr qint32 kOleWindowBackground = oleSystemColor(0x05);
constexpr qreal kTextMargin = 3;

// `text` with its line ends as the breaks a text layout takes.
QString withLayoutBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

}  // namespace

SceneFixedControl::SceneFixedControl(SceneContext& context, Kind kind)
    : SceneControlBase(context), kind_(kind) {
    if (kind == Kind::TextBox) {
        setBackColor(kOleWindowBackground);
    }
}

CellLook SceneFixedControl::buttonLook(const QRectF& rect) const {
    // A button standing on end (the target axis title) reads along its length.
    const bool upright = rect.height() > 2 * rect.width();
    return CellLook{.text = qtText(),
                    .backColor = qtBackColor(),
                    .cellOrientation = upright ? CellLook::kTurned : CellLook::kAlong,
                    .fontSize = fontsize()};
}

QString SceneFixedControl::toolTip() const {
    if (kind_ == Kind::Frame) {
        return caption(paintRect()).shortened ? qtText() : QString();
    }
    if (kind_ != Kind::Button) {
        return {};
    }
    return cellToolTip(QApplication::font(), paintRect(), buttonLook(paintRect()));
}

std::vector<CaptionLine> SceneFixedControl::captionLines() const {
    if (kind_ != Kind::Frame) {
        return {};
    }
    return caption(paintRect()).lines;
}

const SceneFixedControl::CaptionLayout& SceneFixedControl::caption(const QRectF& rect) const {
    qreal bottom = rect.bottom() - kTextMargin;
    if (captionAbove_ != nullptr && captionAbove_->paintShown()) {
        bottom = std::min(bottom, captionAbove_->paintRect().top());
    }
    CaptionLayout wanted{
        .text = text(), .rect = rect, .bottom = bottom, .font = sceneFont(fontsize())};
    if (!caption_ || caption_->text != wanted.text || caption_->rect != rect ||
        caption_->bottom != bottom || caption_->font != wanted.font) {
        layOut(wanted);
        caption_ = std::move(wanted);
    }
    return *caption_;
}

void SceneFixedControl::layOut(CaptionLayout& caption) {
    const QString text = withLayoutBreaks(QString::fromStdString(caption.text));
    const QRectF inner =
        caption.rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    if (text.isEmpty() || inner.width() <= 0) {
        return;
    }
    const QFontMetricsF metrics(caption.font);
    QTextLayout layout(text, caption.font);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrap);
    std::vector<CaptionLine>& lines = caption.lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(inner.width());
        const QRectF place(inner.left(),
                           inner.top() + static_cast<qreal>(lines.size()) * metrics.lineSpacing(),
                           inner.width(), metrics.height());
        const QRectF next = place.translated(0, metrics.lineSpacing());
        const bool more = line.textStart() + line.textLength() < text.size();
        // The last line there is room for takes the rest of the text, shortened.
        const bool last = !more || next.bottom() > caption.bottom;
        const QString shown = last ? text.mid(line.textStart()).simplified()
                                   : text.mid(line.textStart(), line.textLength()).trimmed();
        const bool cut = last && more;
        lines.push_back({elidedLine(metrics, shown, inner.width(), cut), place});
        caption.shortened = caption.shortened || lines.back().text != shown || cut;
        if (last) {
            break;
        }
    }
    layout.endLayout();
}

void SceneFixedControl::paint(QPainter& painter, const QRectF& rect) const {
    const QRectF inner = rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    switch (kind_) {
        case Kind::Button:
            paintCell(painter, rect, buttonLook(rect), QApplication::palette());
            break;
        case Kind::Label:
            drawSceneText(painter, rect, qtText(), fontsize(), Qt::AlignLeft | Qt::AlignTop,
                          Enabled());
            break;
        case Kind::Frame: {
            painter.save();
            painter.setPen(QApplication::palette().color(QPalette::Mid));
            painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
            painter.restore();
            for (const CaptionLine& line : caption(rect).lines) {
                drawSceneText(painter, line.rect, line.text, fontsize(),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Enabled());
            }
            break;
        }
        case Kind::TextBox:
            painter.fillRect(rect, qtBackColor());
            painter.save();
            painter.setPen(QApplication::palette().color(QPalette::Dark));
            painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
            painter.restore();
            drawSceneText(painter, inner, qtText(), fontsize(), Qt::AlignLeft | Qt::AlignTop,
                          Enabled());
            break;
    }
}

void SceneCheckBox::setValue(bool checked) {
    checked_ = checked;
    repaint();
}

void SceneCheckBox::paint(QPainter& painter, const QRectF& rect) const {
    const qreal side = std::min<qreal>(rect.height(), 13);
    QStyleOptionButton box;
    box.rect = QRectF(rect.left(), rect.center().y() - side / 2, side, side).toRect();
    box.state = (checked_ ? QStyle::State_On : QStyle::State_Off) |
                (Enabled() ? QStyle::State_Enabled : QStyle::State_None);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter);
    drawSceneText(painter, rect.adjusted(side + kTextMargin, 0, 0, 0), qtText(), fontsize(),
                  Qt::AlignLeft | Qt::AlignVCenter, Enabled());
}

}  // namespace vrn
