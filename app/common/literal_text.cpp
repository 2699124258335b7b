#include "app/common/literal_text.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <limits>
#include <vector>

namespace vrn {

namespace {

// A tip's lines are at most this many average characters wide: wider ones are hard to read.
constexpr qreal kToolTipMostCharacters = 80;
// Pixels kept free between a tip's text and each edge of the screen: the tip's frame and
// margins stand there.
constexpr int kToolTipScreenRoom = 16;

const QString kEllipsis = QStringLiteral("\u2026");

// Where a tip's text has to fit: its widest line and its number of lines.
struct ToolTipRoom {
    qreal width;
    qsizetype rows;
};

ToolTipRoom toolTipRoom(const QFontMetricsF& metrics, const QScreen* screen) {
    ToolTipRoom room{metrics.averageCharWidth() * kToolTipMostCharacters,
                     std::numeric_limits<qsizetype>::max()};
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        room.width = std::min<qreal>(room.width, available.width() - 2 * kToolTipScreenRoom);
        // A tip at most half the screen tall fits above or below the pointer: one that covered
        // it would go at once, the pointer having left the control.
        room.rows = static_cast<qsizetype>((available.height() / 2 - 2 * kToolTipScreenRoom) /
                                           metrics.lineSpacing());
    }
    room.width = std::max(room.width, metrics.maxWidth());
    room.rows = std::max<qsizetype>(room.rows, 1);
    return room;
}

// One line of a tip as it shows.
struct ToolTipRow {
    QString text;
    bool wrapped = false;  // it goes on with the line above
};

// Adds the rows `line` shows in when no row may be wider than `width`, up to `rows` in all:
// broken at word boundaries, and a word wider than that anywhere.
void addWrapped(const QString& line, const QFont& font, qreal width, qsizetype rows,
                std::vector<ToolTipRow>& shown) {
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    bool first = true;
    for (QTextLine piece = layout.createLine(); piece.isValid() && std::ssize(shown) < rows;
         piece = layout.createLine()) {
        piece.setLineWidth(width);
        shown.push_back({line.mid(piece.textStart(), piece.textLength()), !first});
        first = false;
    }
    layout.endLayout();
    if (first && std::ssize(shown) < rows) {
        shown.push_back({});  // an empty line
    }
}

}  // namespace

QString plainToolTip(const QString& text, const QScreen* screen) {
    if (text.isEmpty()) {
        return text;
    }
    // A line ends wherever the text's own lines end, in any of their forms.
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QFont font = QToolTip::font();
    const QFontMetricsF metrics(font);
    const ToolTipRoom room = toolTipRoom(metrics, screen);
    // One row more than there is room for tells that the text goes on.
    std::vector<ToolTipRow> rows;
    for (const QString& line : normalized.split(QLatin1Char('\n'))) {
        if (std::ssize(rows) > room.rows) {
            break;
        }
        addWrapped(line, font, room.width, room.rows + 1, rows);
    }
    if (std::ssize(rows) > room.rows) {
        // A text taller than that shows as much as fits, and says that more follows.
        rows.resize(static_cast<std::size_t>(room.rows));
        QString& last = rows.back().text;
        last = metrics.elidedText(last, Qt::ElideRight,
                                  room.width - metrics.horizontalAdvance(kEllipsis));
        if (!last.endsWith(kEllipsis)) {
            last += kEllipsis;
        }
    }
    // Every character as typed (white-space:pre). The text's own line ends are line breaks
    // (<br>); where a line wraps, a new paragraph starts, with no space between them.
    const QString paragraph = QStringLiteral("<p style='white-space:pre; margin:0'>");
    QString tip = paragraph;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (index > 0) {
            tip += rows[index].wrapped ? QLatin1String("</p>") + paragraph : QStringLiteral("<br>");
        }
        tip += rows[index].text.toHtmlEscaped();
    }
    return tip + QLatin1String("</p>");
}

QString literalAmpersands(const QString& text) {
    QString literal = text;
    return literal.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString literalWindowTitle(const QString& text) {
    // Qt shows "[*][*]" as "[*]".
    QString literal = text;
    return literal.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

}  // namespace vrn
