#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

#include <string>

namespace vrn {

// The dialogs' text boxes for text from a matrix, which must come back exactly as it went in: a
// box the user leaves alone gives back what it was given, whatever the widget makes of it, and
// an edited box keeps every character. Tab moves on to the next control instead of typing a tab.

// One line of any length the file holds.
class KeptLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit KeptLineEdit(QWidget* parent = nullptr);

    void setKeptText(const std::string& text);
    std::string keptText() const { return text().toStdString(); }
    // Whether the text differs from what the box was last given.
    bool isEdited() const { return text() != given_; }

private:
    QString given_;
};

// Several lines. The widget shows CR LF, CR and LF alike and hands back LF and plain spaces for
// non-breaking ones; an edited text gets the line ends of the given one back, in their order, and
// a break typed into a text without any ends in CR LF.
class KeptTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit KeptTextEdit(QWidget* parent = nullptr);

    void setKeptText(const std::string& text);
    std::string keptText() const;
    bool isEdited() const;

private:
    QString given_;
    // The widget's own form of the given text, to tell an edit from none.
    QString shown_;
    QStringList lineEnds_;
};

}  // namespace vrn
