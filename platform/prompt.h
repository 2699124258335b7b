#pragma once

#include "platform/printer_choice.h"

#include <QColor>
#include <QString>

#include <optional>

class QPrinter;

namespace vrn {

// Buttons, icons and answers of a message box, numbered as the program's message boxes have
// always been numbered, so a style can be read off the old code at a glance.
enum class MsgBoxButtons {
    OkOnly = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
};

enum class MsgBoxIcon {
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};

// Which of the box's buttons (first, second, third) Enter presses.
enum class MsgBoxDefault { Button1 = 0, Button2 = 256, Button3 = 512 };

enum class MsgBoxResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MsgBoxStyle {
    MsgBoxButtons buttons = MsgBoxButtons::OkOnly;
    MsgBoxIcon icon = MsgBoxIcon::None;
    MsgBoxDefault defaultButton = MsgBoxDefault::Button1;

    bool operator==(const MsgBoxStyle&) const = default;
};

// The answer of a box that the user closes without pressing a button: Cancel where there is
// one, otherwise the answer that commits to nothing.
MsgBoxResult escapeAnswer(MsgBoxButtons buttons);

// Flags of the file dialogs.
namespace FileDialogFlags {
constexpr int ReadOnly = 0x1;
constexpr int OverwritePrompt = 0x2;  // ask before a save replaces a file
constexpr int HideReadOnly = 0x4;
constexpr int PathMustExist = 0x800;
constexpr int FileMustExist = 0x1000;
}  // namespace FileDialogFlags

// Flags of the colour dialog.
namespace ColorDialogFlags {
constexpr int RgbInit = 0x1;  // start from the given colour
}

struct FileDialogRequest {
    QString title{};
    // "desc|pattern|desc|pattern", e.g. "Vrn-Matrix (*.vrn)|*.vrn|All Files (*.*)|*.*".
    QString filter{};
    // Appended to a typed name that has no extension ("vrn").
    QString defaultExt{};
    // Preset name or path.
    QString fileName{};
    int flags = 0;
};

// Every modal question the program asks the user. An empty title means the program's title.
// A cancelled dialog answers nothing.
class Prompt {
public:
    virtual ~Prompt() = default;

    virtual MsgBoxResult messageBox(const QString& text, MsgBoxStyle style = {},
                                    const QString& title = {}) = 0;
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                            const QString& defaultText = {}) = 0;
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QColor> chooseColor(const QString& title, const QColor& initial,
                                              int flags) = 0;
    // Page Setup: the user chooses the printer (or a file) and its pages for later prints,
    // starting from `current`.
    virtual std::optional<PrinterChoice> pageSetup(const PrinterChoice& current) = 0;
    // Lets the user choose the printer (or a file) for `printer` and set it up; false when the
    // user cancels, and `printer` is then to be left unused. When `printer` prints into no file
    // yet, the file offered for printing into one is `proposedFile` (a relative name from the
    // current folder), or the dialog's own choice when it is empty.
    virtual bool choosePrinter(QPrinter& printer, const QString& proposedFile) = 0;
};

}  // namespace vrn
