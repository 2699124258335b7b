#include "app/matrixwin/kept_text_box.h"

#include "platform/user_text.h"

#include <QTextDocument>

namespace vrn {

namespace {

constexpr QChar kParagraphBreak(0x2029);
constexpr QChar kLineBreak(0x2028);

// Each line end of `text` in order: CR LF, CR, LF or a Unicode break.
QStringList lineEndsOf(const QString& text) {
    QStringList ends;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ends << QStringLiteral("\r\n");
            ++i;
        } else if (c == u'\r' || c == u'\n' || c == kParagraphBreak || c == kLineBreak) {
            ends << QString(c);
        }
    }
    return ends;
}

}  // namespace

KeptLineEdit::KeptLineEdit(QWidget* parent) : QLineEdit(parent) {
    keepWholeText(*this);
}

void KeptLineEdit::setKeptText(const std::string& text) {
    given_ = QString::fromStdString(text);
    setText(given_);
}

KeptTextEdit::KeptTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
}

void KeptTextEdit::setKeptText(const std::string& text) {
    given_ = QString::fromStdString(text);
    lineEnds_ = lineEndsOf(given_);
    setPlainText(given_);
    shown_ = document()->toRawText();
}

bool KeptTextEdit::isEdited() const {
    return document()->toRawText() != shown_;
}

std::string KeptTextEdit::keptText() const {
    const QString raw = document()->toRawText();
    if (raw == shown_) {
        return given_.toStdString();
    }
    // Lines added beyond the given ones end as the given text's first line does; in a text
    // without any, as every line of the matrix file ends.
    const QString added = lineEnds_.isEmpty() ? QStringLiteral("\r\n") : lineEnds_.front();
    QString text;
    text.reserve(raw.size() + lineEnds_.size());
    qsizetype breaks = 0;
    for (const QChar c : raw) {
        if (c == kParagraphBreak || c == kLineBreak) {
            text += breaks < lineEnds_.size() ? lineEnds_[breaks] : added;
            ++breaks;
        } else {
            text += c;
        }
    }
    return text.toStdString();
}

}  // namespace vrn
