#include "app/matrixwin/frm_matrix.h"

#include "app/common/command_guard.h"
#include "app/matrixwin/document_files.h"
#include "model/file/matrix_file_error.h"
#include "model/vrn_matrix.h"

#include <QCloseEvent>

// Saving a matrix window's document and closing the window: the questions before it closes, and
// Save As with its checks of the chosen name.

namespace vrn {

namespace {

const QString kExitTitle = QStringLiteral("Exit Dependency Editor");
const QString kSaveAsTitle = QStringLiteral("Save file As");

}  // namespace

bool frmMatrix::saveTo(const QString& path, bool unlocked) {
    try {
        saveDocument(*base(), path, unlocked);
        return true;
    } catch (const MatrixFileError& error) {
        // The window keeps its file name and caption: they still name what is on disk.
        showFileError(prompt_, error);
        return false;
    }
}

SaveOutcome frmMatrix::SaveMatrixAs(bool Restore_locked_state) {
    VRN_Matrix& document = *base();
    for (;;) {
        const std::optional<QString> chosen = prompt_.saveFile(saveMatrixRequest(filename));
        QString name = filename;
        if (chosen) {
            name = *chosen;
        } else {
            document.locked = Restore_locked_state;
        }
        if (name.isEmpty()) {
            const MsgBoxResult again =
                prompt_.messageBox(QStringLiteral("Do you want to save your work before exiting ?"),
                                   {.buttons = MsgBoxButtons::YesNo}, kExitTitle);
            if (again == MsgBoxResult::Yes) {
                continue;
            }
            document.locked = Restore_locked_state;
            return SaveOutcome::GaveUp;
        }
        if (isOwnFile(name)) {
            const MsgBoxResult again = prompt_.messageBox(
                QStringLiteral("You must use a different file name for a 'Save As' ?"),
                {.buttons = MsgBoxButtons::OkCancel}, kSaveAsTitle);
            if (again == MsgBoxResult::Ok) {
                continue;
            }
            document.locked = Restore_locked_state;
            return SaveOutcome::GaveUp;
        }
        if (!mayReplaceFile(prompt_, name)) {
            continue;
        }
        if (!saveTo(name, true)) {
            document.locked = Restore_locked_state;
            return SaveOutcome::Failed;
        }
        filename = name;
        hasFilePath = true;
        setCaption(name);
        return SaveOutcome::Saved;
    }
}

bool frmMatrix::saveBeforeClosing() {
    const VRN_Matrix& document = *base();
    const MsgBoxStyle yesNo{.buttons = MsgBoxButtons::YesNo};
    if (document.locked) {
        const MsgBoxResult save = prompt_.messageBox(
            QStringLiteral(
                "Do you want to save this locked matrix to another file before closing ?"),
            yesNo, kExitTitle);
        return save != MsgBoxResult::Yes || SaveMatrixAs(true) != SaveOutcome::Failed;
    }
    const MsgBoxResult save = prompt_.messageBox(
        QStringLiteral("Do you want to save the file before closing ?"), yesNo, kExitTitle);
    if (save == MsgBoxResult::No &&
        prompt_.messageBox(QStringLiteral("Any changes you have made will be lost.  Do you want "
                                          "to exit without saving ?"),
                           yesNo, kExitTitle) == MsgBoxResult::Yes) {
        return true;
    }
    if (hasFilePath) {
        return saveTo(filename, false);
    }
    return SaveMatrixAs(false) != SaveOutcome::Failed;
}

bool frmMatrix::Form_Unload() {
    program_.Current_Matrix = base();
    MatrixHost* host = program_.Main_Window;
    if (host != nullptr) {
        host->setActiveEntity(ent_);
    }
    if (!discarding_ && !base_->Invalid_version && !saveBeforeClosing()) {
        // The work is not on disk: the window stays.
        return false;
    }
    letGoOfSelection();
    program_.Current_Matrix = nullptr;
    if (host != nullptr) {
        host->setActiveEntity(nullptr);
        host->hostMenuItem(QStringLiteral("mnuHelpDirections")).setEnabled(false);
    }
    return true;
}

void frmMatrix::discardUnread() {
    discarding_ = true;
    outerWindow()->close();
}

void frmMatrix::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    runGuarded(prompt_, [this, &mayClose] { mayClose = Form_Unload(); });
    if (mayClose) {
        event->accept();
    } else {
        discarding_ = false;
        event->ignore();
    }
}

}  // namespace vrn
