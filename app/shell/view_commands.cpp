#include "app/shell/view_commands.h"

#include "app/common/command_guard.h"
#include "app/common/named_widgets.h"
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/active_matrix_font.h"
#include "app/shell/frm_main.h"
#include "app/shell/options_dialog.h"
#include "app/shell/view_steps.h"
#include "model/vrn_matrix.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

namespace vrn {

namespace {

// The options dialog's view of the current document's practice font size.
class DocumentFont : public ActiveMatrixFont {
public:
    explicit DocumentFont(VRN_Matrix& document) : document_(document) {}

    qint16 practiceFontSize() const override { return document_.VRN_Practice_Font_Size; }
    void setPracticeFontSize(qint16 points) override { document_.VRN_Practice_Font_Size = points; }

private:
    VRN_Matrix& document_;
};

}  // namespace

ViewCommands::ViewCommands(frmMain& main, VrnMain& program, ShellServices services)
    : main_(main), program_(program), services_(services) {
    for (const char* item :
         {"mnuViewTitle", "mnuViewLegend", "mnuViewPracticeGroups", "mnuViewAlternatives",
          "mnuViewExisting", "mnuViewSortButtons", "mnuViewDirections", "mnuViewAttribution"}) {
        on(item, &ViewCommands::toggle);
    }
    on("mnuViewImportance", &ViewCommands::importance);
    on("mnuViewWeightedSort", &ViewCommands::weightedSort);
    on("mnuViewColor", &ViewCommands::color);
    on("mnuViewToolbar", &ViewCommands::toolbar);
    on("mnuViewStatusBar", &ViewCommands::statusBar);
    on("mnuViewScaleUp", &ViewCommands::scaleUp);
    on("mnuViewScaledown", &ViewCommands::scaleDown);
    on("mnuViewFontUp", &ViewCommands::fontUp);
    on("mnuViewFontDown", &ViewCommands::fontDown);
    on("mnuViewOptions", &ViewCommands::options);
    connect(main_.menuItem(QStringLiteral("mnuViewRefresh")), &QAction::triggered, &main_,
            &frmMain::mnuViewRefresh_Click);
}

void ViewCommands::on(const char* item, void (ViewCommands::*command)(bool checked)) {
    connect(main_.menuItem(QLatin1String(item)), &QAction::triggered, this,
            [this, command](bool checked) {
                runGuarded(services_.prompt, [&] { (this->*command)(checked); });
            });
}

void ViewCommands::refresh() {
    main_.mnuViewRefresh_Click();
}

// A checkable item has already turned its mark over when its command runs.
void ViewCommands::toggle(bool) {
    refresh();
}

void ViewCommands::importance(bool) {
    if (frmMatrix* window = main_.activeMatrixWindow()) {
        window->Redraw();
    }
}

void ViewCommands::weightedSort(bool checked) {
    if (frmMatrix* window = main_.activeMatrixWindow()) {
        window->Weighted = checked;
    }
    refresh();
}

void ViewCommands::color(bool checked) {
    Preferences& prefs = program_.prefs;
    prefs.Current_ActivityColor = checked ? prefs.ActivityColor : prefs.PracticeColor;
    prefs.Current_EntityColor = checked ? prefs.PracticeEntityColor : prefs.PracticeColor;
    refresh();
}

void ViewCommands::toolbar(bool checked) {
    namedChild<QToolBar>(main_, "tbToolBar").setVisible(checked);
}

void ViewCommands::statusBar(bool checked) {
    main_.statusBar()->setVisible(checked);
}

void ViewCommands::scaleUp(bool) {
    scaleStep(+1);
}

void ViewCommands::scaleDown(bool) {
    scaleStep(-1);
}

void ViewCommands::fontUp(bool) {
    fontStep(+1);
}

void ViewCommands::fontDown(bool) {
    fontStep(-1);
}

void ViewCommands::scaleStep(int direction) {
    const std::shared_ptr<VRN_Matrix> document = program_.Current_Matrix;
    if (document == nullptr) {
        return;
    }
    Preferences& prefs = program_.prefs;
    HeldScaleSteps& held = heldSteps(document);
    const ScaleSizes sizes = scaledSizes(ScaleSizes{.practiceHeight = document->VRN_PracticeHeight,
                                                    .practiceWidth = document->VRN_PracticeWidth,
                                                    .groupHeight = document->VRN_PracticeGrpHeight,
                                                    .fontSize = document->VRN_Practice_Font_Size},
                                         direction, prefs.Delta_updown, held);
    document->VRN_PracticeHeight = sizes.practiceHeight;
    document->VRN_PracticeWidth = sizes.practiceWidth;
    document->VRN_PracticeGrpHeight = sizes.groupHeight;
    document->VRN_Practice_Font_Size = sizes.fontSize;
    // New windows start with the new sizes; the group width is never scaled.
    prefs.PracticeHeight = document->VRN_PracticeHeight;
    prefs.PracticeWidth = document->VRN_PracticeWidth;
    prefs.PracticeGroupHeight = document->VRN_PracticeGrpHeight;
    showHeldSteps(held);
    refresh();
}

void ViewCommands::showHeldSteps(const HeldScaleSteps& held) {
    if (held.count > 0) {
        heldMessage_ =
            QStringLiteral("The matrix is at its smallest legible size (Scale Down held back: %1).")
                .arg(held.count);
        main_.SetStatusText(heldMessage_);
    } else if (!heldMessage_.isEmpty() && main_.statusText() == heldMessage_) {
        // Every step held back is taken back: the message no longer holds.
        heldMessage_.clear();
        main_.SetStatusText(heldMessage_);
    }
}

HeldScaleSteps& ViewCommands::heldSteps(const std::shared_ptr<VRN_Matrix>& document) {
    std::erase_if(held_, [](const auto& entry) { return entry.first.expired(); });
    for (auto& [heldFor, steps] : held_) {
        if (heldFor.lock() == document) {
            return steps;
        }
    }
    return held_.emplace_back(document, HeldScaleSteps{}).second;
}

void ViewCommands::fontStep(int direction) {
    if (const std::shared_ptr<VRN_Matrix> document = program_.Current_Matrix) {
        document->VRN_Practice_Font_Size =
            steppedFontSize(document->VRN_Practice_Font_Size, direction);
        refresh();
    }
}

void ViewCommands::options(bool) {
    std::optional<DocumentFont> font;
    if (program_.Current_Matrix != nullptr) {
        font.emplace(*program_.Current_Matrix);
    }
    OptionsDialog dialog(program_.prefs, services_.settings, services_.prompt,
                         font ? &*font : nullptr, &main_);
    dialog.exec();
    refresh();
}

}  // namespace vrn
