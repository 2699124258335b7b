#pragma once

#include "app/shell/shell_services.h"
#include "model/model_fwd.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace vrn {

class frmMain;
class frmMatrix;
struct VrnMain;

// The commands that change the active document: the Action and Alternatives menus and the
// practice, practice group, importance and interaction popups that the matrix window shows over
// its selection. Each acts on the program's selection; with no matrix window open, or with no
// fitting selection, a command ends without a change.
class EditingCommands : public QObject {
    Q_OBJECT
public:
    EditingCommands(frmMain& main, VrnMain& program, ShellServices services);

private:
    void on(const char* item, void (EditingCommands::*command)(), int index = -1);
    void onColor(const char* item, void (EditingCommands::*command)(int));
    void refresh();
    // The active window and the selection of the kind a command needs; null when there is none.
    frmMatrix* window() const;
    std::shared_ptr<VRN_Practice> practice() const;
    std::shared_ptr<VRN_PracticeGroup> group() const;
    std::shared_ptr<VRN_MatrixInteraction> interaction() const;

    void renameMatrix();
    void altAdd();
    void altRename();
    void altDelete();

    void practiceRename();
    void practiceAdd();
    void practiceDetails();
    void practiceColor(int index);
    void practiceDelete();

    void groupHide();
    void groupCycle();
    void groupReveal();
    void groupRename();
    void groupAdd();
    void groupAddPractice();
    void groupDetails();
    void groupCopy();
    void groupPaste();
    void groupDelete();
    void groupAddBlank();
    void groupDialogue();
    void groupNewWindow();

    void importance(const char* text);
    void interactionValue(const char* value, const char* note);
    void interactionColor(int index);
    void interactionEdit();
    void matchingItem();

    // The colour of a colour command's index; none for an index it does not know.
    std::optional<std::int32_t> commandColor(int index) const;

    frmMain& main_;
    VrnMain& program_;
    ShellServices services_;
};

}  // namespace vrn
