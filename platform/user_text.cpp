#include "platform/user_text.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStringList>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <limits>
#include <vector>

namespace vrn {

namespace {

// A line of text is at most this many average characters wide: wider ones are hard to read.
constexpr qreal kMostAverageCharacters = 80;
// Pixels kept free between a text and each edge of the screen: a tip's frame and margins, a
// dialog's frame, stand there.
constexpr int kScreenEdgeRoom = 16;
// Characters measured first when looking for what fits on a line; doubled until it is enough.
constexpr qsizetype kFirstMeasuredLength = 64;
// The ellipsis Qt ends a cut with in a font that has no "…".
const QLatin1String kThreeDots("...");

// The start of `text` that is wider than `width`, or all of it: what a line can show of a long
// text is found without measuring the rest.
QString leadingPart(const QFontMetricsF& metrics, const QString& text, qreal width) {
    for (qsizetype length = kFirstMeasuredLength; length < text.size(); length *= 2) {
        if (text.at(length - 1).isHighSurrogate()) {
            ++length;  // a character's two halves stay together
        }
        QString part = text.left(length);
        if (metrics.horizontalAdvance(part) > width) {
            return part;
        }
    }
    return text;
}

// One row of a shown text.
struct ShownRow {
    QString text;
    bool wrapped = false;  // it goes on with the row above
};

// Adds the rows `line` shows in when no row may be wider than `width`, up to `rows` in all:
// broken at word boundaries, and a word wider than that anywhere.
void addWrapped(const QString& line, const QFont& font, qreal width, qsizetype rows,
                std::vector<ShownRow>& shown) {
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

struct ShownRows {
    std::vector<ShownRow> rows;
    bool shortened = false;
};

ShownRows shownRows(const QString& text, const QFont& font, TextRoom room) {
    // A line ends wherever the text's own lines end, in any of their forms.
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // One row more than there is room for tells that the text goes on.
    ShownRows shown;
    for (const QString& line : normalized.split(QLatin1Char('\n'))) {
        if (std::ssize(shown.rows) > room.rows) {
            break;
        }
        addWrapped(line, font, room.width, room.rows + 1, shown.rows);
    }
    if (std::ssize(shown.rows) > room.rows) {
        // A text taller than that shows as much as fits, and says that more follows.
        shown.rows.resize(static_cast<std::size_t>(room.rows));
        QString& last = shown.rows.back().text;
        last = elidedLine(QFontMetricsF(font), last, room.width, true);
        shown.shortened = true;
    }
    return shown;
}

}  // namespace

void keepWholeText(QLineEdit& box) {
    box.setMaxLength(std::numeric_limits<int>::max());
}

QString elidedLine(const QFontMetricsF& metrics, const QString& text, qreal width, bool goesOn) {
    const QString part = leadingPart(metrics, text, width);
    const QString candidate = goesOn ? part + kEllipsisChar : part;
    // The longest-variant flag keeps a U+009C in a user's text a character.
    const QString shown =
        metrics.elidedText(candidate, Qt::ElideRight, width, Qt::TextLongestVariant);
    QString kept;
    if (shown != candidate) {
        kept = shown;
        kept.chop(shown.endsWith(kEllipsisChar) ? 1
                  : shown.endsWith(kThreeDots)  ? kThreeDots.size()
                                                : 0);
    } else if (goesOn || part.size() == text.size()) {
        return goesOn ? candidate : text;
    } else {
        kept = part;  // the measured start fits after all: the rest is still cut
    }
    // The program's ellipsis, after the last word rather than a blank.
    while (!kept.isEmpty() && kept.back().isSpace()) {
        kept.chop(1);
    }
    return kept + kEllipsisChar;
}

TextRoom userTextRoom(const QFontMetricsF& metrics, const QScreen* screen) {
    TextRoom room{metrics.averageCharWidth() * kMostAverageCharacters,
                  std::numeric_limits<qsizetype>::max()};
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        room.width = std::min<qreal>(room.width, available.width() - 2 * kScreenEdgeRoom);
        // Half the screen: a tip that tall fits above or below the pointer (one that covered it
        // would go at once, the pointer having left the control), a dialog keeps room for its
        // fields and buttons.
        room.rows = static_cast<qsizetype>((available.height() / 2 - 2 * kScreenEdgeRoom) /
                                           metrics.lineSpacing());
    }
    room.width = std::max(room.width, metrics.maxWidth());
    room.rows = std::max<qsizetype>(room.rows, 1);
    return room;
}

FittedText fitText(const QString& text, const QFont& font, TextRoom room) {
    const ShownRows shown = shownRows(text, font, room);
    const bool wrapped = std::any_of(shown.rows.begin(), shown.rows.end(),
                                     [](const ShownRow& row) { return row.wrapped; });
    if (!shown.shortened && !wrapped) {
        return {text, false};
    }
    QStringList rows;
    for (const ShownRow& row : shown.rows) {
        rows << row.text;
    }
    return {rows.join(QLatin1Char('\n')), shown.shortened};
}

QString plainToolTip(const QString& text, const QScreen* screen) {
    if (text.isEmpty()) {
        return text;
    }
    const QFont font = QToolTip::font();
    const ShownRows shown = shownRows(text, font, userTextRoom(QFontMetricsF(font), screen));
    // Every character as typed (white-space:pre). The text's own line ends are line breaks
    // (<br>); where a line wraps, a new paragraph starts, with no space between them.
    const QString paragraph = QStringLiteral("<p style='white-space:pre; margin:0'>");
    QString tip = paragraph;
    for (std::size_t index = 0; index < shown.rows.size(); ++index) {
        if (index > 0) {
            tip += shown.rows[index].wrapped ? QLatin1String("</p>") + paragraph
                                             : QStringLiteral("<br>");
        }
        tip += shown.rows[index].text.toHtmlEscaped();
    }
    return tip + QLatin1String("</p>");
}

void showFittedText(QLabel& label, const QString& text, qsizetype mostRows) {
    const QScreen* screen = label.screen();
    TextRoom room = userTextRoom(QFontMetricsF(label.font()), screen);
    room.rows = std::clamp<qsizetype>(mostRows, 1, room.rows);
    const FittedText fitted = fitText(text, label.font(), room);
    // Shown as typed, never as markup, in the rows fitted here.
    label.setTextFormat(Qt::PlainText);
    label.setWordWrap(false);
    label.setText(fitted.text);
    label.setToolTip(fitted.shortened ? plainToolTip(text, screen) : QString());
    if (fitted.text != text) {
        // The rows stay as fitted: a dialog that wraps its label itself (a message box) gives
        // it their width.
        label.setMinimumWidth(label.sizeHint().width());
    }
}

}  // namespace vrn
