#pragma once

#include "app/shell/shell_services.h"
#include "app/shell/view_steps.h"
#include "model/model_fwd.h"

#include <QObject>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QAction;

namespace vrn {

class frmMain;
struct VrnMain;

// The View menu: check marks that switch parts of every matrix drawing on and off, the scale and
// font steps of the active document, the toolbar and status bar switches and the options dialog.
class ViewCommands : public QObject {
    Q_OBJECT
public:
    ViewCommands(frmMain& main, VrnMain& program, ShellServices services);

private:
    void on(const char* item, void (ViewCommands::*command)(bool checked));
    void toggle(bool checked);
    void importance(bool checked);
    void weightedSort(bool checked);
    void color(bool checked);
    void toolbar(bool checked);
    void statusBar(bool checked);
    void scaleUp(bool);
    void scaleDown(bool);
    void fontUp(bool);
    void fontDown(bool);
    void options(bool);
    void scaleStep(int direction);
    // The Scale Down steps held back for `document` at its smallest legible size.
    HeldScaleSteps& heldSteps(const std::shared_ptr<VRN_Matrix>& document);
    // Tells in the status bar that Scale Down steps are held back, and clears that once none is.
    void showHeldSteps(const HeldScaleSteps& held);
    void fontStep(int direction);
    void refresh();

    frmMain& main_;
    VrnMain& program_;
    ShellServices services_;
    std::vector<std::pair<std::weak_ptr<VRN_Matrix>, HeldScaleSteps>> held_;
    QString heldMessage_;
};

}  // namespace vrn
