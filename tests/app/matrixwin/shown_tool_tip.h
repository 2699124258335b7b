#pragma once

#include <QString>
#include <QTextDocument>

namespace vrn::testing {

// The text a reader reads in the tool tip `tip`: Qt shows a tip that looks like markup as HTML.
// A plain tool tip's own line ends are line breaks and the places it wraps a long line start
// paragraphs; the text comes back with its own line ends, unwrapped.
inline QString shownToolTip(const QString& tip) {
    if (!Qt::mightBeRichText(tip)) {
        return tip;
    }
    QTextDocument shown;
    shown.setHtml(tip);
    return shown.toRawText()
        .remove(QChar::ParagraphSeparator)
        .replace(QChar::LineSeparator, QLatin1Char('\n'));
}

}  // namespace vrn::testing
