#pragma once

#include <QString>
#include <QTextDocument>

namespace vrn::testing {

// The text a reader sees in the tool tip `tip`: Qt shows a tip that looks like markup as HTML.
inline QString shownToolTip(const QString& tip) {
    if (!Qt::mightBeRichText(tip)) {
        return tip;
    }
    QTextDocument shown;
    shown.setHtml(tip);
    return shown.toPlainText();
}

}  // namespace vrn::testing
