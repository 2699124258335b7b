#pragma once

#include "platform/prompt.h"

#include <QPointer>
#include <QWidget>

namespace vrn {

// The prompt over Qt's standard dialogs. Each dialog is modal over the parent window, or over
// the active window when no parent is set.
class QtPrompt : public Prompt {
public:
    explicit QtPrompt(QString programTitle, QWidget* parent = nullptr);

    void setParentWindow(QWidget* parent) { parent_ = parent; }

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
    QWidget* parentWindow() const;
    QString titleOrDefault(const QString& title) const;
    std::optional<QString> runFileDialog(const FileDialogRequest& request, bool save);

    QString programTitle_;
    QPointer<QWidget> parent_;
};

}  // namespace vrn
