#pragma once

#include "platform/prompt.h"

#include <QStringList>

#include <deque>
#include <variant>
#include <vector>

namespace vrn {

// A prompt for tests: it answers from a queue, in order, and records every question. A question
// with no answer left, or whose next answer is of another kind, gets the answer of a user who
// closes the dialog (see escapeAnswer) and is listed in problems(), so a test fails clearly
// instead of waiting for a dialog.
class ScriptedPrompt : public Prompt {
public:
    enum class Kind { MessageBox, InputBox, OpenFile, SaveFile, Color, PageSetup, Printer };

    struct Question {
        Kind kind = Kind::MessageBox;
        QString text{};            // message, input prompt or dialog title
        QString title{};           // as asked: empty means the program's title
        MsgBoxStyle style{};       // message boxes
        QString defaultText{};     // input boxes
        FileDialogRequest file{};  // file dialogs
        QColor initialColor{};     // colour dialog
        int flags = 0;             // colour dialog
        QString printFile{};       // printer dialog: the file it offers for printing into one
    };

    // The user closes the next dialog (Esc, Cancel, the window's close button).
    struct Cancel {};

    void answer(MsgBoxResult result) { answers_.emplace_back(result); }
    // Typed into an input box or chosen in a file dialog.
    void answerText(const QString& text) { answers_.emplace_back(text); }
    void answerColor(const QColor& color) { answers_.emplace_back(color); }
    // Chosen in Page Setup.
    void answerPageSetup(const PrinterChoice& choice) { answers_.emplace_back(choice); }
    // The user prints to the PDF file `path`.
    void answerPrintToFile(const QString& path) { answers_.emplace_back(PrintToFile{path}); }
    void cancel() { answers_.emplace_back(Cancel{}); }

    const std::vector<Question>& questions() const { return questions_; }
    std::size_t pendingAnswers() const { return answers_.size(); }
    // Questions that found no fitting answer; empty when the script matched the run.
    const QStringList& problems() const { return problems_; }

    MsgBoxResult messageBox(const QString& text, MsgBoxStyle style = {},
                            const QString& title = {}) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                    const QString& defaultText = {}) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QString& title, const QColor& initial,
                                      int flags) override;
    std::optional<PrinterChoice> pageSetup(const PrinterChoice& current) override;
    bool choosePrinter(QPrinter& printer, const QString& proposedFile) override;

private:
    struct PrintToFile {
        QString path;
    };
    using Answer = std::variant<Cancel, MsgBoxResult, QString, QColor, PrinterChoice, PrintToFile>;

    // The next answer when it holds a T; nothing for Cancel; a problem for anything else.
    template <typename T>
    std::optional<T> take(const Question& question);

    std::deque<Answer> answers_;
    std::vector<Question> questions_;
    QStringList problems_;
};

}  // namespace vrn
