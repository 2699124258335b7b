#include "platform/qt_prompt.h"

#include "platform/file_filter.h"
#include "platform/user_text.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <vector>

namespace vrn {

namespace {

struct BoxButton {
    QMessageBox::StandardButton button;
    MsgBoxResult result;
};

// The buttons of each style in their order on the box: the default button counts in this order.
std::vector<BoxButton> boxButtons(MsgBoxButtons buttons) {
    using B = QMessageBox;
    using R = MsgBoxResult;
    switch (buttons) {
        case MsgBoxButtons::OkOnly:
            return {{B::Ok, R::Ok}};
        case MsgBoxButtons::OkCancel:
            return {{B::Ok, R::Ok}, {B::Cancel, R::Cancel}};
        case MsgBoxButtons::AbortRetryIgnore:
            return {{B::Abort, R::Abort}, {B::Retry, R::Retry}, {B::Ignore, R::Ignore}};
        case MsgBoxButtons::YesNoCancel:
            return {{B::Yes, R::Yes}, {B::No, R::No}, {B::Cancel, R::Cancel}};
        case MsgBoxButtons::YesNo:
            return {{B::Yes, R::Yes}, {B::No, R::No}};
        case MsgBoxButtons::RetryCancel:
            return {{B::Retry, R::Retry}, {B::Cancel, R::Cancel}};
    }
    return {{B::Ok, R::Ok}};
}

QMessageBox::Icon boxIcon(MsgBoxIcon icon) {
    switch (icon) {
        case MsgBoxIcon::Critical:
            return QMessageBox::Critical;
        case MsgBoxIcon::Question:
            return QMessageBox::Question;
        case MsgBoxIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgBoxIcon::Information:
            return QMessageBox::Information;
        case MsgBoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

std::size_t defaultIndex(MsgBoxDefault which) {
    switch (which) {
        case MsgBoxDefault::Button2:
            return 1;
        case MsgBoxDefault::Button3:
            return 2;
        case MsgBoxDefault::Button1:
            break;
    }
    return 0;
}

}  // namespace

QtPrompt::QtPrompt(QString programTitle, QWidget* parent)
    : programTitle_(std::move(programTitle)), parent_(parent) {}

QWidget* QtPrompt::parentWindow() const {
    return parent_ ? parent_.data() : QApplication::activeWindow();
}

QString QtPrompt::titleOrDefault(const QString& title) const {
    return title.isEmpty() ? programTitle_ : title;
}

MsgBoxResult QtPrompt::messageBox(const QString& text, MsgBoxStyle style, const QString& title) {
    QMessageBox box(parentWindow());
    box.setWindowTitle(titleOrDefault(title));
    // Texts may quote a matrix file; they are shown as written, never as markup, and within the
    // screen.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        showFittedText(*label, text);
    }
    box.setIcon(boxIcon(style.icon));
    const std::vector<BoxButton> buttons = boxButtons(style.buttons);
    for (const BoxButton& entry : buttons) {
        box.addButton(entry.button);
    }
    const std::size_t preferred = defaultIndex(style.defaultButton);
    box.setDefaultButton(buttons[preferred < buttons.size() ? preferred : 0].button);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const BoxButton& entry : buttons) {
        if (clicked != nullptr && clicked == box.button(entry.button)) {
            return entry.result;
        }
    }
    return escapeAnswer(style.buttons);
}

std::optional<QString> QtPrompt::inputBox(const QString& prompt, const QString& title,
                                          const QString& defaultText) {
    QInputDialog dialog(parentWindow());
    dialog.setWindowTitle(titleOrDefault(title));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    // The prompt may quote a name the user typed: it is shown as written, never as markup, and
    // within the screen.
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        showFittedText(*label, prompt);
    }
    if (auto* box = dialog.findChild<QLineEdit*>()) {
        keepWholeText(*box);
    }
    dialog.setTextValue(defaultText);
    const QString shown = dialog.textValue();
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    // An answer left as it was given is the given text, whatever the box made of it.
    return dialog.textValue() == shown ? defaultText : dialog.textValue();
}

std::optional<QString> QtPrompt::openFile(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

std::optional<QString> QtPrompt::saveFile(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

std::optional<QString> QtPrompt::runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parentWindow(), titleOrDefault(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    dialog.setDefaultSuffix(request.defaultExt);
    if (save) {
        // A name typed without an extension takes that of the type chosen, and the question
        // whether to replace a file asks about that name.
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &request](const QString& nameFilter) {
                const QString suffix = nameFilterSuffix(nameFilter);
                dialog.setDefaultSuffix(suffix.isEmpty() ? request.defaultExt : suffix);
            });
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     (request.flags & FileDialogFlags::OverwritePrompt) == 0);
    if (!request.fileName.isEmpty()) {
        const QFileInfo preset(request.fileName);
        if (preset.isAbsolute()) {
            dialog.setDirectory(preset.absolutePath());
        }
        dialog.selectFile(preset.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.first();
}

std::optional<QColor> QtPrompt::chooseColor(const QString& title, const QColor& initial,
                                            int flags) {
    const bool startFromInitial = (flags & ColorDialogFlags::RgbInit) != 0 && initial.isValid();
    QColorDialog dialog(startFromInitial ? initial : QColor(Qt::black), parentWindow());
    dialog.setWindowTitle(titleOrDefault(title));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedColor();
}

std::optional<PrinterChoice> QtPrompt::pageSetup(const PrinterChoice& current) {
    QPrinter printer;
    applyPrinterChoice(current, printer);
    // The print dialog in its setup mode: the printer and its pages, nothing of one print.
    QPrintDialog dialog(&printer, parentWindow());
    dialog.setWindowTitle(QStringLiteral("Page Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    for (auto* buttons : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok)) {
            accept->setText(QStringLiteral("OK"));  // it keeps the choice, it prints nothing
        }
    }
    // Range and copies belong to one print: their panel stays shut.
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text().startsWith(QStringLiteral("&Options"))) {
            button->hide();
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return printerChoiceOf(printer);
}

bool QtPrompt::choosePrinter(QPrinter& printer, const QString& proposedFile) {
    QPrintDialog dialog(&printer, parentWindow());
    // The dialog's own offer is a fixed name in the home folder; its file field is the one edit
    // it names "filename".
    auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (file != nullptr && printer.outputFileName().isEmpty() && !proposedFile.isEmpty()) {
        file->setText(QFileInfo(proposedFile).absoluteFilePath());
    }
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace vrn
