#pragma once

#include "app/common/prompt_messages.h"
#include "app/matrixwin/matrix_host.h"
#include "app/shell/menu_tree.h"
#include "app/shell/shell_services.h"
#include "model/component_context.h"
#include "model/interfaces/catalogue_entity.h"
#include "model/interfaces/main_view.h"
#include "model/model_fwd.h"
#include "platform/one_shot_timer.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace vrn {

class EditingCommands;
class FileCommands;
class frmMatrix;
class ViewCommands;
struct VrnMain;

// The main window: the menus, the toolbar and the status bar over the area that holds the matrix
// windows. Its commands act on the active matrix window or on the program's current document.
// The model reads the View menu's check marks through MainView, the matrix windows reach it
// through MatrixHost.
class frmMain : public QMainWindow, public MatrixHost {
    Q_OBJECT
public:
    frmMain(VrnMain& program, ShellServices services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The window's public variables.
    std::shared_ptr<CatalogueEntity> ent;
    std::shared_ptr<VRN_PracticeGroup> Copying_PG;
    std::shared_ptr<VRN_Practice> Dragging_P;
    std::shared_ptr<VRN_PracticeGroup> Dragging_PG;

    // Shows the window, loading it first the first time; later it only comes to the front.
    void Show();
    bool isLoaded() const { return loaded_; }
    void MDIForm_Load();
    void MDIForm_Activate();
    void New_Matrix_Window(bool create, const std::shared_ptr<CatalogueEntity>& entity,
                           const std::shared_ptr<VRN_PracticeGroup>& startGroup);

    // Menu items (a control array's element by its index), menus and toolbar buttons by name.
    // A name (or index) the design lacks throws std::out_of_range naming it.
    QAction* menuItem(const QString& name, int index = -1) const;
    QMenu* menu(const QString& name) const;
    QAction* toolbarButton(const QString& key) const;
    QAction& hostMenuItem(const QString& name) const override { return *menuItem(name); }
    QAction& hostToolbarButton(const QString& key) const override { return *toolbarButton(key); }
    QMdiArea& mdiArea() const { return *mdiArea_; }
    OneShotTimer& RefreshTimer() { return refreshTimer_; }

    // The active child window and, when it is one, the active matrix window.
    QMdiSubWindow* activeChild() const;
    frmMatrix* activeMatrixWindow() const;
    // Runs a command that reads or writes the active document, or opens a dialog that loads from
    // it: the active matrix window first finishes the edits in progress in its text fields, so
    // the command works on what the user sees. Errors are reported as every command's are.
    void runDocumentCommand(const std::function<void()>& command);
    // What every document of this program is bound to.
    ComponentContext componentContext() override;

    // Opens a link text from a matrix in the browser of the preferences.
    void Open_In_Browser(const QString& text) override;
    void SetStatusText(const QString& text) override;
    QString statusText() const override;
    void setup_Alternatives_Menu();
    // The Alternatives menu of the active document: an item per alternative name, item
    // `checked` (0-based) checked.
    void listAlternatives(const QStringList& names, int checked) override;
    // Save As for the active window, without the attribution; false when nothing was saved.
    bool SaveMatrixAs();
    // Keeps the active matrix window wholly inside the window area.
    void fitActiveWindow();
    // Opens the matrix file `path` in a new window, as File > Open does with a chosen file.
    void openMatrixFile(const QString& path);
    void mnuAlt_Click(int index);
    void setup_interaction_Menu() override;
    void Exceptions_Click(int index);
    void hide_directions();
    void mnuViewRefresh_Click();
    void tbToolBar_ButtonClick(const QString& key);
    // The loaded elements of the Alternatives and Exceptions arrays, element 0 first.
    const std::vector<QAction*>& mnuAlt() const { return mnuAlt_; }
    const std::vector<QAction*>& Exceptions() const { return exceptions_; }

    std::shared_ptr<VRN_Practice>& draggedPractice() override { return Dragging_P; }
    std::shared_ptr<VRN_PracticeGroup>& draggedPracticeGroup() override { return Dragging_PG; }
    void setActiveEntity(std::shared_ptr<CatalogueEntity> entity) override {
        ent = std::move(entity);
    }
    QWidget* dialogParent() override { return this; }
    bool fileOpenInOtherWindow(const QString& path, const QWidget& asking) const override;
    void popupMenu(const QString& name) override;
    std::shared_ptr<VRN_PracticeGroup>& copiedPracticeGroup() override { return Copying_PG; }
    ProgramStarter& programStarter() override { return services_.starter; }

    bool Checked(ViewMark mark) const override;
    void setChecked(ViewMark mark, bool checked) override;
    bool mnuFileSaveEnabled() const override;
    void setMnuFileSaveEnabled(bool enabled) override;

signals:
    // Help > About: the program shows its splash sequence as the About box.
    void aboutRequested();
    // A file just opened asks for the guided option questions of `group`.
    void guidedQuestionsRequested(std::shared_ptr<VRN_PracticeGroup> group);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The toolbar button with `key`; null when there is none.
    QAction* findToolbarButton(const QString& key) const;
    void buildToolbar();
    void buildStatusBar();
    void connectCommands();
    void connectFocusCommands();
    void onCommand(const char* item, void (frmMain::*command)());
    void fontButton(QAction& button);
    void onChildActivated(QMdiSubWindow* child);
    // The most recently active matrix window still shown; null when there is none.
    QMdiSubWindow* lastOpenWindow() const;
    void placeWindow();
    void storeWindowRectangle();
    // Asks each matrix window in turn whether it may close, up to the first that must stay open;
    // true when every one may.
    bool everyWindowAgreesToClose();
    void openCommandLineFile(const QString& name);
    void rebuildWindowList();
    void mnuFileNew_Click();
    void mnuFileClose_Click();
    void mnuFileExit_Click();
    void mnuHelpContents_Click();
    void mnuHelpDirections_Click();
    void mnuHelpAbout_Click();
    void unloadCopies(std::vector<QAction*>& array);
    QAction* loadCopy(std::vector<QAction*>& array, QMenu& menu, QAction* before);
    QAction* loadAlternativeItem();
    void runCommand(const std::function<void()>& command);

    VrnMain& program_;
    ShellServices services_;
    PromptMessages messages_;
    std::unique_ptr<MenuTree> menuTree_;
    QMdiArea* mdiArea_ = nullptr;
    QToolBar* tbToolBar_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    OneShotTimer refreshTimer_{10};
    std::unique_ptr<ViewCommands> viewCommands_;
    FileCommands* fileCommands_ = nullptr;
    EditingCommands* editingCommands_ = nullptr;
    std::vector<QAction*> mnuAlt_;
    std::vector<QAction*> exceptions_;
    std::vector<QAction*> windowList_;
    // Where the window was placed from the stored rectangle, in pixels.
    QRect placedPixels_;
    // Windows opened so far; it names the next one.
    int windowCount_ = 0;
    bool loaded_ = false;
    bool closing_ = false;
};

}  // namespace vrn
