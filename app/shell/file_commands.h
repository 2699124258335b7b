#pragma once

#include "app/shell/shell_services.h"

#include <QObject>
#include <QString>

#include <optional>

class QMdiSubWindow;

namespace vrn {

class frmMain;
class frmMatrix;
struct VrnMain;

// The File menu's document commands (Open, Save, Save As, Page Setup) and Import Alternatives.
// A command that needs a matrix window does nothing without one.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(frmMain& main, VrnMain& program, ShellServices services);

    // Opens `path` in a new matrix window. A file that cannot be read is reported and its
    // window closed: no window is ever bound to a file it does not hold.
    void openFile(const QString& path);
    // Save As for the active window without the attribution dialog: a locked matrix is never
    // written back to its own file. False when nothing was saved.
    bool SaveMatrixAs();
    // The window of the matrix window other than `except` that holds the file `path`; null
    // when there is none.
    QMdiSubWindow* windowOfFile(const QString& path, const QWidget* except = nullptr) const;

private:
    void mnuFileOpen_Click();
    void mnuAltImport_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFilePageSetup_Click();
    void on(const char* item, void (FileCommands::*command)());
    void saveKeyWhileSaveIsOff();
    // What the save dialog proposes for the active window's document.
    QString proposedName(frmMatrix& window) const;
    std::optional<QString> chooseMatrixFile();
    // Closes the window of a file that could not be read and activates `previous` again.
    void giveUpOpening(frmMatrix* window, QMdiSubWindow* previous);

    frmMain& main_;
    VrnMain& program_;
    ShellServices services_;
};

}  // namespace vrn
