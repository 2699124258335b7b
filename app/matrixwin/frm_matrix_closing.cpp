#include "app/matrixwin/frm_matrix.h"

#include "app/common/command_guard.h"
#include "app/matrixwin/document_files.h"
#include "app/matrixwin/matrix_host.h"
#include "model/vrn_matrix.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

// Saving a matrix window's document and closing the window: the questions before it closes, and
// Save As with its checks of the chosen name.

namespace vrn {

namespace {

const QString kExitTitle = QStringLiteral("Exit Dependency Editor");
const QString kSaveAsTitle = QStringLiteral("Save file As");

}  // namespace

SaveOutcome frmMatrix::saveTo(const QString& path, bool unlocked) {
    // On a failure the window keeps its file name and caption: they still name what is on disk.
    return saveDocumentAsking(prompt_, *base(), path, unlocked);
}

QString frmMatrix::aboutThisMatrix(const QString& question) const {
    return QStringLiteral("%1\n\n%2").arg(Caption(), question);
}

bool frmMatrix::heldByAnotherWindow(const QString& path) {
    MatrixHost* host = program_.Main_Window;
    if (host == nullptr || !host->fileOpenInOtherWindow(path, *this)) {
        return false;
    }
    // Two windows on one file would each overwrite what the other saved.
    prompt_.messageBox(QStringLiteral("The file '%1' is open in another window.  Choose another "
                                      "file name, or close that window first.")
                           .arg(path),
                       {.icon = MsgBoxIcon::Exclamation}, kSaveAsTitle);
    return true;
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
            const MsgBoxResult again = prompt_.messageBox(
                aboutThisMatrix(QStringLiteral("Do you want to save your work before exiting ?")),
                {.buttons = MsgBoxButtons::YesNo}, kExitTitle);
            if (again == MsgBoxResult::Yes) {
                continue;
            }
            document.locked = Restore_locked_state;
            return SaveOutcome::GaveUp;
        }
        if (isOwnFile(name)) {
            const MsgBoxResult again = prompt_.messageBox(
                aboutThisMatrix(
                    QStringLiteral("You must use a different file name for a 'Save As' ?")),
                {.buttons = MsgBoxButtons::OkCancel}, kSaveAsTitle);
            if (again == MsgBoxResult::Ok) {
                continue;
            }
            document.locked = Restore_locked_state;
            return SaveOutcome::GaveUp;
        }
        if (heldByAnotherWindow(name) || !mayReplaceFile(prompt_, name)) {
            continue;
        }
        const SaveOutcome outcome = saveTo(name, true);
        if (outcome != SaveOutcome::Saved) {
            document.locked = Restore_locked_state;
            return outcome;
        }
        filename = name;
        hasFilePath = true;
        setCaption(name);
        return SaveOutcome::Saved;
    }
}

bool frmMatrix::saveBeforeClosing() {
    // What the window shows is what it saves.
    commitPendingEdits();
    // The user answers for the window in front of them.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
        frame != nullptr && frame->mdiArea() != nullptr) {
        frame->mdiArea()->setActiveSubWindow(frame);
    }
    const VRN_Matrix& document = *base();
    const MsgBoxStyle yesNo{.buttons = MsgBoxButtons::YesNo};
    if (document.locked) {
        const MsgBoxResult save = prompt_.messageBox(
            aboutThisMatrix(QStringLiteral(
                "Do you want to save this locked matrix to another file before closing ?")),
            yesNo, kExitTitle);
        return save != MsgBoxResult::Yes || SaveMatrixAs(true) == SaveOutcome::Saved;
    }
    const MsgBoxResult save = prompt_.messageBox(
        aboutThisMatrix(QStringLiteral("Do you want to save the file before closing ?")), yesNo,
        kExitTitle);
    if (save == MsgBoxResult::No &&
        prompt_.messageBox(aboutThisMatrix(QStringLiteral(
                               "Any changes you have made will be lost.  Do you want to exit "
                               "without saving ?")),
                           yesNo, kExitTitle) == MsgBoxResult::Yes) {
        return true;
    }
    // Asked to save, the window closes only once the work is on disk.
    const SaveOutcome saved = hasFilePath ? saveTo(filename, false) : SaveMatrixAs(false);
    return saved == SaveOutcome::Saved;
}

bool frmMatrix::Form_Unload() {
    program_.Current_Matrix = base();
    MatrixHost* host = program_.Main_Window;
    if (host != nullptr) {
        host->setActiveEntity(ent_);
    }
    if (!closesUnasked_ && !base_->Invalid_version && !saveBeforeClosing()) {
        // The work is not on disk: the window stays with it.
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
    closesUnasked_ = true;
    outerWindow()->close();
}

bool frmMatrix::agreeToClose() {
    if (closesUnasked_ || base()->Invalid_version) {
        return true;
    }
    program_.Current_Matrix = base();
    bool agreed = false;
    runGuarded(prompt_, [this, &agreed] { agreed = saveBeforeClosing(); });
    closesUnasked_ = agreed;
    return agreed;
}

void frmMatrix::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    runGuarded(prompt_, [this, &mayClose] { mayClose = Form_Unload(); });
    if (mayClose) {
        event->accept();
    } else {
        closesUnasked_ = false;
        event->ignore();
    }
}

}  // namespace vrn
