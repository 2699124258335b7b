#pragma once

#include <QChar>
#include <QString>

#include <limits>

class QFont;
class QFontMetricsF;
class QLabel;
class QLineEdit;
class QScreen;

namespace vrn {

// A user's text (names, titles, notes, file names, links) in Qt's widgets: kept whole where it is
// edited, and shown within the screen where it is shown, shortened in one way.

// What ends a shortened text: "…" (U+2026). Named apart from the model's kEllipsis, its UTF-8
// form: two inline constants of one name would share one symbol.
inline constexpr QChar kEllipsisChar{0x2026};

// A one-line box keeps a text of any length a matrix file holds: the widget's own limit is 32,767
// characters, and it cuts what it is given, typed or pasted beyond that.
void keepWholeText(QLineEdit& box);

// `text` as one line no wider than `width`: whole when it fits, else as much of its start as fits
// before "…"; with `goesOn` (more follows elsewhere) it ends in "…" in any case. Only the start
// that can show is measured, however long the text.
QString elidedLine(const QFontMetricsF& metrics, const QString& text, qreal width,
                   bool goesOn = false);

// Where a user's text may show on `screen` (the primary screen when none is given): lines at most
// 80 average characters wide and narrower than the screen, and no more of them than fill half the
// screen's height.
struct TextRoom {
    qreal width;
    qsizetype rows;
};
TextRoom userTextRoom(const QFontMetricsF& metrics, const QScreen* screen);

// `text` in `font` within `room`: in its own lines, each wrapped at word boundaries, and a word
// wider than the room anywhere. A text that takes more rows than that shows the rows that fit,
// the last ending in "…".
struct FittedText {
    QString text;  // the given text when it shows whole on its own lines, else the rows shown
    bool shortened = false;
};
FittedText fitText(const QString& text, const QFont& font, TextRoom room);

// A tool tip that looks like markup is read as HTML: this one shows the text as fitText shows it
// in the tool tips' font on `screen`, every character as typed.
QString plainToolTip(const QString& text, const QScreen* screen = nullptr);

// The label shows `text` as plain text fitted to its screen's room, in at most `mostRows` rows;
// a shortened text shows whole in the label's tool tip.
void showFittedText(QLabel& label, const QString& text,
                    qsizetype mostRows = std::numeric_limits<qsizetype>::max());

}  // namespace vrn
