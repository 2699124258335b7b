#include "app/shell/file_commands.h"

#include "app/matrixwin/document_files.h"
#include "app/matrixwin/frm_attribution.h"
#include "app/matrixwin/frm_directions_details.h"
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/frm_main.h"
#include "model/file/matrix_file_error.h"
#include "model/vrn_matrix.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QShortcut>

namespace vrn {

namespace {

// What a locked matrix proposes as its new file.
const QString kLockedProposal = QStringLiteral("new filename");
const QString kLockedRefusal =
    QStringLiteral("This matrix is locked.  A locked matrix can only be saved to a new file name.");

}  // namespace

FileCommands::FileCommands(frmMain& main, VrnMain& program, ShellServices services)
    : QObject(&main), main_(main), program_(program), services_(services) {
    on("mnuFileOpen", &FileCommands::mnuFileOpen_Click);
    on("mnuAltImport", &FileCommands::mnuAltImport_Click);
    on("mnuFileSave", &FileCommands::mnuFileSave_Click);
    on("mnuFileSaveAs", &FileCommands::mnuFileSaveAs_Click);
    on("mnuFilePageSetup", &FileCommands::mnuFilePageSetup_Click);
    saveKeyWhileSaveIsOff();
}

void FileCommands::saveKeyWhileSaveIsOff() {
    // The menu item is off for a locked matrix, and with it its key; the toolbar's Save still
    // runs the command (Save As under a new name), and so does the key.
    QAction* save = main_.menuItem(QStringLiteral("mnuFileSave"));
    auto* key = new QShortcut(save->shortcut(), &main_);
    key->setObjectName(QStringLiteral("SaveKey"));
    key->setEnabled(!save->isEnabled());
    connect(save, &QAction::enabledChanged, key,
            [key](bool enabled) { key->setEnabled(!enabled); });
    connect(key, &QShortcut::activated, save, [save] { emit save->triggered(false); });
}

QMdiSubWindow* FileCommands::windowOfFile(const QString& path, const QWidget* except) const {
    for (QMdiSubWindow* child : main_.mdiArea().subWindowList()) {
        const auto* window = qobject_cast<const frmMatrix*>(child->widget());
        if (window != nullptr && window != except && window->hasFilePath &&
            isSameFile(window->filename, path)) {
            return child;
        }
    }
    return nullptr;
}

void FileCommands::on(const char* item, void (FileCommands::*command)()) {
    connect(main_.menuItem(QLatin1String(item)), &QAction::triggered, this,
            [this, command] { main_.runDocumentCommand([this, command] { (this->*command)(); }); });
}

std::optional<QString> FileCommands::chooseMatrixFile() {
    std::optional<QString> path = services_.prompt.openFile(openMatrixRequest());
    if (!path || path->isEmpty()) {
        return std::nullopt;
    }
    return path;
}

void FileCommands::mnuFileOpen_Click() {
    if (const std::optional<QString> path = chooseMatrixFile()) {
        openFile(*path);
    }
}

void FileCommands::openFile(const QString& path) {
    if (QMdiSubWindow* open = windowOfFile(path)) {
        // One window per file: a second would overwrite what the first saves.
        if (open->isMinimized()) {
            open->showNormal();
        }
        main_.mdiArea().setActiveSubWindow(open);
        return;
    }
    // A file that cannot be read leaves the program as it was: this window active again.
    const QPointer<QMdiSubWindow> previous = main_.activeChild();
    if (frmMatrix* active = main_.activeMatrixWindow()) {
        active->setWindowState(kWindowNormal);
    }
    main_.New_Matrix_Window(false, nullptr, nullptr);
    const QPointer<frmMatrix> window = main_.activeMatrixWindow();
    if (window == nullptr) {
        return;
    }
    const auto document = std::make_shared<VRN_Matrix>();
    window->setBase(document);
    program_.Current_Matrix = document;
    // The file stays the same file whatever the current folder becomes.
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    bool showDirections = false;
    try {
        showDirections = readDocument(*document, fullPath, window, main_.componentContext());
    } catch (const MatrixFileError& error) {
        showFileError(services_.prompt, error);
        giveUpOpening(window, previous);
        return;
    } catch (const std::exception& error) {
        services_.prompt.messageBox(QString::fromUtf8(error.what()), {.icon = MsgBoxIcon::Critical},
                                    QStringLiteral("Error"));
        giveUpOpening(window, previous);
        return;
    }
    window->newdocpreferences(true);
    // The file's window size may not fit this screen.
    main_.fitActiveWindow();
    document->Draw(1, 1);
    // The menus were set for the empty window before the file was read.
    window->Do_menus();
    if (showDirections) {
        Show_Directions_Dialog(program_, services_.prompt, QStringLiteral("Directions"),
                               program_.Directions_Object, &main_);
    }
    if (window == nullptr) {
        return;
    }
    window->filename = fullPath;
    window->hasFilePath = true;
    window->setCaption(fullPath);
    if (document->Auto_PGroup_Dialogue) {
        document->Auto_PGroup_Dialogue = false;
        emit main_.guidedQuestionsRequested(document->Auto_PGroup.lock());
    }
    main_.mnuViewRefresh_Click();
}

void FileCommands::giveUpOpening(frmMatrix* window, QMdiSubWindow* previous) {
    if (window != nullptr) {
        window->discardUnread();
    }
    if (previous != nullptr) {
        main_.mdiArea().setActiveSubWindow(previous);
        if (auto* matrix = qobject_cast<frmMatrix*>(previous->widget())) {
            program_.Current_Matrix = matrix->base();
        }
    }
}

void FileCommands::mnuAltImport_Click() {
    const QPointer<frmMatrix> window = main_.activeMatrixWindow();
    if (window == nullptr) {
        return;
    }
    FileDialogRequest request = openMatrixRequest();
    request.title = QStringLiteral("Import Alternatives from a Matrix File");
    const std::optional<QString> path = services_.prompt.openFile(request);
    if (!path || path->isEmpty() || window == nullptr) {
        return;
    }
    try {
        importAlternatives(*window->base(), *path);
    } catch (const MatrixFileError& error) {
        showFileError(services_.prompt, error);
        return;
    }
    window->Redraw(true);
}

void FileCommands::mnuFileSave_Click() {
    const QPointer<frmMatrix> window = main_.activeMatrixWindow();
    if (window == nullptr) {
        return;
    }
    program_.Current_Matrix = window->base();
    showAttribution(program_, &main_);
    if (window == nullptr) {
        return;
    }
    VRN_Matrix& document = *window->base();
    if (!window->hasFilePath || document.locked) {
        SaveMatrixAs();
        return;
    }
    saveDocumentAsking(services_.prompt, document, window->filename, false);
}

QString FileCommands::proposedName(frmMatrix& window) const {
    if (!window.base()->locked) {
        return window.filename;
    }
    // A locked matrix's new file starts beside its old one.
    return window.hasFilePath ? QFileInfo(window.filename).dir().filePath(kLockedProposal)
                              : kLockedProposal;
}

bool FileCommands::SaveMatrixAs() {
    frmMatrix* window = main_.activeMatrixWindow();
    if (window == nullptr) {
        return false;
    }
    Prompt& prompt = services_.prompt;
    VRN_Matrix& document = *window->base();
    for (;;) {
        const std::optional<QString> chosen =
            prompt.saveFile(saveMatrixRequest(proposedName(*window)));
        if (!chosen || chosen->isEmpty()) {
            return false;
        }
        const bool ownFile = window->isOwnFile(*chosen);
        if (ownFile && document.locked) {
            prompt.messageBox(kLockedRefusal);
            continue;
        }
        if (!ownFile &&
            (window->heldByAnotherWindow(*chosen) || !mayReplaceFile(prompt, *chosen))) {
            continue;
        }
        if (saveDocumentAsking(prompt, document, *chosen, false) != SaveOutcome::Saved) {
            return false;
        }
        window->filename = *chosen;
        window->hasFilePath = true;
        window->setCaption(*chosen);
        return true;
    }
}

void FileCommands::mnuFileSaveAs_Click() {
    const QPointer<frmMatrix> window = main_.activeMatrixWindow();
    if (window == nullptr) {
        return;
    }
    program_.Current_Matrix = window->base();
    program_.Save_As_Running = true;
    showAttribution(program_, &main_);
    program_.Save_As_Running = false;
    if (window == nullptr) {
        return;
    }
    window->SaveMatrixAs(program_.Save_As_Locked);
    window->Redraw();
}

void FileCommands::mnuFilePageSetup_Click() {
    if (std::optional<PrinterChoice> choice = services_.prompt.pageSetup(program_.Printer_Choice)) {
        program_.Printer_Choice = std::move(*choice);
    }
}

}  // namespace vrn
