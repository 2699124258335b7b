#include "platform/testing/scripted_prompt.h"

#include <QPrinter>

namespace vrn {

namespace {

bool offers(MsgBoxButtons buttons, MsgBoxResult result) {
    using R = MsgBoxResult;
    switch (buttons) {
        case MsgBoxButtons::OkOnly:
            return result == R::Ok;
        case MsgBoxButtons::OkCancel:
            return result == R::Ok || result == R::Cancel;
        case MsgBoxButtons::AbortRetryIgnore:
            return result == R::Abort || result == R::Retry || result == R::Ignore;
        case MsgBoxButtons::YesNoCancel:
            return result == R::Yes || result == R::No || result == R::Cancel;
        case MsgBoxButtons::YesNo:
            return result == R::Yes || result == R::No;
        case MsgBoxButtons::RetryCancel:
            return result == R::Retry || result == R::Cancel;
    }
    return false;
}

}  // namespace

template <typename T>
std::optional<T> ScriptedPrompt::take(const Question& question) {
    questions_.push_back(question);
    if (answers_.empty()) {
        problems_ << QStringLiteral("no answer left for \"%1\"").arg(question.text);
        return std::nullopt;
    }
    Answer next = std::move(answers_.front());
    answers_.pop_front();
    if (std::holds_alternative<Cancel>(next)) {
        return std::nullopt;
    }
    if (!std::holds_alternative<T>(next)) {
        problems_ << QStringLiteral("answer of another kind for \"%1\"").arg(question.text);
        return std::nullopt;
    }
    return std::get<T>(std::move(next));
}

MsgBoxResult ScriptedPrompt::messageBox(const QString& text, MsgBoxStyle style,
                                        const QString& title) {
    const std::optional<MsgBoxResult> result = take<MsgBoxResult>(
        {.kind = Kind::MessageBox, .text = text, .title = title, .style = style});
    if (result && !offers(style.buttons, *result)) {
        problems_ << QStringLiteral("\"%1\" has no button for the scripted answer").arg(text);
        return escapeAnswer(style.buttons);
    }
    return result.value_or(escapeAnswer(style.buttons));
}

std::optional<QString> ScriptedPrompt::inputBox(const QString& prompt, const QString& title,
                                                const QString& defaultText) {
    return take<QString>(
        {.kind = Kind::InputBox, .text = prompt, .title = title, .defaultText = defaultText});
}

std::optional<QString> ScriptedPrompt::openFile(const FileDialogRequest& request) {
    return take<QString>({.kind = Kind::OpenFile, .text = request.title, .file = request});
}

std::optional<QString> ScriptedPrompt::saveFile(const FileDialogRequest& request) {
    return take<QString>({.kind = Kind::SaveFile, .text = request.title, .file = request});
}

std::optional<QColor> ScriptedPrompt::chooseColor(const QString& title, const QColor& initial,
                                                  int flags) {
    return take<QColor>(
        {.kind = Kind::Color, .text = title, .initialColor = initial, .flags = flags});
}

std::optional<PrinterChoice> ScriptedPrompt::pageSetup(const PrinterChoice& /*current*/) {
    return take<PrinterChoice>({.kind = Kind::PageSetup});
}

bool ScriptedPrompt::choosePrinter(QPrinter& printer, const QString& proposedFile) {
    const QString offered =
        printer.outputFileName().isEmpty() ? proposedFile : printer.outputFileName();
    const std::optional<PrintToFile> choice =
        take<PrintToFile>({.kind = Kind::Printer, .printFile = offered});
    if (!choice) {
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(choice->path);
    return true;
}

}  // namespace vrn
