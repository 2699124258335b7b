#include "app/shell/menu_tree.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <array>
#include <stdexcept>

namespace vrn {

namespace {

using D = MenuItemDesign;
constexpr unsigned kChecked = D::kChecked;
constexpr unsigned kCheckable = D::kCheckable;
constexpr unsigned kHidden = D::kHidden;
constexpr unsigned kDisabled = D::kDisabled;
constexpr unsigned kSubmenu = D::kSubmenu;

// clang-format off
constexpr std::array kDesign = std::to_array<MenuItemDesign>({
    {nullptr, "mnuFile", -1, "&File", nullptr, 0},
    {"mnuFile", "mnuFileNew", -1, "&New", "Ctrl+N", 0},
    {"mnuFile", "mnuFileOpen", -1, "&Open", "Ctrl+O", 0},
    {"mnuFile", "mnuFileClose", -1, "&Close", nullptr, 0},
    {"mnuFile", "mnuFileBar1", -1, "-", nullptr, 0},
    {"mnuFile", "mnuFileSave", -1, "&Save", "Ctrl+S", 0},
    {"mnuFile", "mnuFileSaveAs", -1, "Save &As...", nullptr, 0},
    {"mnuFile", "mnuFileSaveAll", -1, "Save A&ll", nullptr, kHidden},
    {"mnuFile", "mnuFileBar2", -1, "-", nullptr, kHidden},
    {"mnuFile", "mnuFileProperties", -1, "Propert&ies", nullptr, kHidden},
    {"mnuFile", "mnuFileBar3", -1, "-", nullptr, 0},
    {"mnuFile", "mnuFilePageSetup", -1, "Page Set&up...", nullptr, 0},
    {"mnuFile", "mnuFilePrintPreview", -1, "Print Pre&view", nullptr, kHidden},
    {"mnuFile", "mnuFilePrint", -1, "Print...old", nullptr, kHidden},
    {"mnuFile", "munFilePrintCaptured", -1, "Print Captured Image", nullptr, 0},
    {"mnuFile", "mnuFileReportOptions", -1, "Report Options", nullptr, 0},
    {"mnuFile", "mnuFilePrintReport", -1, "Print Report", nullptr, 0},
    {"mnuFile", "mnuFileExportWord", -1, "Export to Word", nullptr, 0},
    {"mnuFile", "mnuFileBar4", -1, "-", nullptr, kHidden},
    {"mnuFile", "mnuFileSend", -1, "Sen&d...", nullptr, kHidden},
    {"mnuFile", "mnuFileBar5", -1, "-", nullptr, 0},
    {"mnuFile", "mnuFileMRU", 0, "", nullptr, kHidden},
    {"mnuFile", "mnuFileMRU", 1, "", nullptr, kHidden},
    {"mnuFile", "mnuFileMRU", 2, "", nullptr, kHidden},
    {"mnuFile", "mnuFileMRU", 3, "", nullptr, kHidden},
    {"mnuFile", "mnuFileBar6", -1, "-", nullptr, kHidden},
    {"mnuFile", "mnuFileExit", -1, "E&xit", nullptr, 0},

    {nullptr, "mnuEdit", -1, "&Edit", nullptr, kHidden},
    {"mnuEdit", "mnuEditUndo", -1, "&Undo", "Ctrl+Z", 0},
    {"mnuEdit", "mnuEditBar1", -1, "-", nullptr, 0},
    {"mnuEdit", "mnuEditCut", -1, "Cu&t", "Ctrl+X", 0},
    {"mnuEdit", "mnuEditCopy", -1, "&Copy", "Ctrl+C", 0},
    {"mnuEdit", "mnuEditPaste", -1, "&Paste", "Ctrl+V", 0},
    {"mnuEdit", "mnuEditPasteSpecial", -1, "Paste &Special...", nullptr, 0},

    {nullptr, "mnuAction", -1, "&Action", nullptr, 0},
    {"mnuAction", "mnuRenameMatrix", -1, "Rename Matrix", nullptr, 0},
    {"mnuAction", "mnuFileGenerate", -1, "&Generate Visio Drawing...", nullptr, 0},
    {"mnuAction", "mnuCapturePartofScreen", -1, "&Partial Screen Capture", "Ctrl+P", 0},
    {"mnuAction", "mnuFileGenerateHTML", -1, "Generate HTML page", nullptr, 0},
    {"mnuAction", "mnuFileDiagnose", -1, "Diagnose Visio Connection", nullptr, kHidden | kDisabled},
    {"mnuAction", "sep43", -1, "-", nullptr, kHidden},
    {"mnuAction", "mnuActionCreateExRpt", -1, "Create Excel Report", nullptr, kHidden},
    {"mnuAction", "mnuActionCLoseExRpt", -1, "Close Excel Report", nullptr, kHidden},
    {"mnuAction", "mnuActionsep", -1, "-", nullptr, 0},
    {"mnuAction", "mnuActionAddGroup", -1, "&Add New Practice Group ...", nullptr, 0},
    {"mnuAction", "mnuActionDeleteGroup", -1, "&Delete Practice Group", nullptr, 0},
    {"mnuAction", "mnuActionsep1", -1, "-", nullptr, 0},
    {"mnuAction", "mnuActionAddPractice", -1, "Add &New Practice ...", "Ctrl+A", 0},
    {"mnuAction", "mnuActionDeletePractice", -1, "Delete &Practice", nullptr, 0},

    {nullptr, "mnuAlternatives", -1, "Alternatives", nullptr, 0},
    {"mnuAlternatives", "mnuAlt", 0, "alt", nullptr, kCheckable},
    {"mnuAlternatives", "sep21", -1, "-", nullptr, 0},
    {"mnuAlternatives", "mnuAltRename", -1, "Rename Alternative", nullptr, 0},
    {"mnuAlternatives", "mnuAltAdd", -1, "Add New Alternative", nullptr, 0},
    {"mnuAlternatives", "sep23", -1, "-", nullptr, 0},
    {"mnuAlternatives", "mnuAltImport", -1, "Import Alternatives", nullptr, 0},
    {"mnuAlternatives", "sep22", -1, "-", nullptr, 0},
    {"mnuAlternatives", "mnuAltDel", -1, "Delete Alternative", nullptr, 0},

    {nullptr, "mnuView", -1, "&View", nullptr, 0},
    {"mnuView", "mnuViewToolbar", -1, "&Toolbar", nullptr, kChecked},
    {"mnuView", "mnuViewStatusBar", -1, "Status &Bar", nullptr, kChecked},
    {"mnuView", "mnuViewBar3", -1, "-", nullptr, 0},
    {"mnuView", "mnuViewTitle", -1, "Title Box", nullptr, kChecked},
    {"mnuView", "mnuViewAttribution", -1, "Attribution Box", nullptr, kCheckable},
    {"mnuView", "mnuViewLegend", -1, "Legend", nullptr, kChecked},
    {"mnuView", "mnuViewDirections", -1, "Directions", nullptr, kCheckable},
    {"mnuView", "sep41", -1, "-", nullptr, 0},
    {"mnuView", "mnuViewImportance", -1, "Importance", "Ctrl+I", kCheckable},
    {"mnuView", "mnuViewPracticeGroups", -1, "Practice Groups", nullptr, kChecked},
    {"mnuView", "mnuViewAlternatives", -1, "Target Practices", "Ctrl+T", kChecked},
    {"mnuView", "mnuViewExisting", -1, "Existing Practices", "Ctrl+E", kChecked},
    {"mnuView", "sep14", -1, "-", nullptr, 0},
    {"mnuView", "mnuViewColor", -1, "Color Activities", nullptr, kCheckable | kHidden},
    {"mnuView", "mnuViewSortButtons", -1, "Sort Buttons", nullptr, kCheckable},
    {"mnuView", "mnuViewWeightedSort", -1, "Weighted Sort", nullptr, kChecked},
    {"mnuView", "mnuViewBar2", -1, "-", nullptr, 0},
    {"mnuView", "mnuViewRefresh", -1, "&Refresh", nullptr, 0},
    {"mnuView", "mnuViewScaleUp", -1, "Scale Up", nullptr, 0},
    {"mnuView", "mnuViewScaledown", -1, "Scale down", nullptr, 0},
    {"mnuView", "mnuViewFontUp", -1, "Font Up", nullptr, 0},
    {"mnuView", "mnuViewFontDown", -1, "Font Down", nullptr, 0},
    {"mnuView", "mnusep49", -1, "-", nullptr, 0},
    {"mnuView", "mnuViewOptions", -1, "&Options...", nullptr, 0},

    {nullptr, "mnuWindow", -1, "&Window", nullptr, 0},
    {"mnuWindow", "mnuWindowNewWindow", -1, "&New Window", nullptr, 0},
    {"mnuWindow", "mnuWindowBar1", -1, "-", nullptr, 0},
    {"mnuWindow", "mnuWindowCascade", -1, "&Cascade", nullptr, 0},
    {"mnuWindow", "mnuWindowTileHorizontal", -1, "Tile &Horizontal", nullptr, 0},
    {"mnuWindow", "mnuWindowTileVertical", -1, "Tile &Vertical", nullptr, 0},
    {"mnuWindow", "mnuWindowArrangeIcons", -1, "&Arrange Icons", nullptr, 0},

    {nullptr, "mnuHelp", -1, "&Help", nullptr, 0},
    {"mnuHelp", "mnuHelpContents", -1, "&Contents", nullptr, kDisabled},
    {"mnuHelp", "mnuHelpSearch", -1, "&Search For Help On...", nullptr, kDisabled},
    {"mnuHelp", "mnuHelpDirections", -1, "Directions", nullptr, 0},
    {"mnuHelp", "mnuHelpBar1", -1, "-", nullptr, 0},
    {"mnuHelp", "mnuHelpAbout", -1, "&About Vrn...", nullptr, 0},

    {nullptr, "MnuPractice", -1, "Practice", nullptr, 0},
    {"MnuPractice", "mnuPracticeRename", -1, "Rename", nullptr, 0},
    {"MnuPractice", "mnuPracticeAddNew", -1, "Add Practice", nullptr, 0},
    {"MnuPractice", "mnuPracticeDetails", -1, "Details", nullptr, 0},
    {"MnuPractice", "mnuPracticeOptions", -1, "Options", nullptr, 0},
    {"MnuPractice", "sep89", -1, "-", nullptr, 0},
    {"MnuPractice", "mnuPracticeSet_Color", 0, "Highlinght Color", nullptr, 0},
    {"MnuPractice", "mnuPracticeSet_Color", 1, "Warning Color", nullptr, 0},
    {"MnuPractice", "mnuPracticeSet_Color", 99, "CLear Color", nullptr, 0},
    {"MnuPractice", "sep12", -1, "-", nullptr, 0},
    {"MnuPractice", "mnuPracticeDelete", -1, "Delete", nullptr, 0},

    {nullptr, "MnuPracticeGroup", -1, "PracticeGroup", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupHide", -1, "Hide", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupCycle", -1, "Cycle Through", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupReveal", -1, "Reveal", nullptr, kSubmenu},
    {"mnuPracticeGroupReveal", "mnuPracticeGroupRevealPG", 0, "Reveal All", nullptr, 0},
    {"MnuPracticeGroup", "sep24", -1, "-", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupRename", -1, "Rename", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupAddNew", -1, "Add Practice Group", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupAddNewPractice", -1, "Add Practice", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupDetails", -1, "Details", nullptr, 0},
    {"MnuPracticeGroup", "MnuPracticeGroupCopy", -1, "Copy", nullptr, 0},
    {"MnuPracticeGroup", "MnuPracticeGroupPaste", -1, "Paste", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupDelete", -1, "Delete", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupAddBlank", -1, "Add Blank", nullptr, 0},
    {"MnuPracticeGroup", "sep2", -1, "-", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupDialogue", -1, "Run Dialogue", nullptr, 0},
    {"MnuPracticeGroup", "mnuPracticeGroupNewVRN", -1, "New Varnel", nullptr, 0},

    {nullptr, "mnuImportance", -1, "Importance", nullptr, 0},
    {"mnuImportance", "mnuImportance2", -1, "'2'", nullptr, 0},
    {"mnuImportance", "mnuImportance1", -1, "'1'", nullptr, 0},
    {"mnuImportance", "mnuImportance0", -1, "'0'", nullptr, 0},
    {"mnuImportance", "mnuImportanceM1", -1, "'-1'", nullptr, 0},
    {"mnuImportance", "mnuImportanceM2", -1, "'-2'", nullptr, 0},

    {nullptr, "mnuInteraction", -1, "Interaction", nullptr, 0},
    {"mnuInteraction", "mnuInteractionPlus", -1, "'+' Reinforcing interaction", nullptr, 0},
    {"mnuInteraction", "mnuInteractionBlank", -1, "'0' No interaction", nullptr, 0},
    {"mnuInteraction", "mnuInteractionMinus", -1, "'-'  Interfering interaction", nullptr, 0},
    {"mnuInteraction", "mnuInteractionQuestion", -1, "'?' Unknown Interaction", nullptr, 0},
    {"mnuInteraction", "sep26", -1, "-", nullptr, 0},
    {"mnuInteraction", "mnuInteractionSet_Color", 0, "Highlight color", nullptr, 0},
    {"mnuInteraction", "mnuInteractionSet_Color", 1, "Warning color", nullptr, 0},
    {"mnuInteraction", "mnuInteractionSet_Color", 99, "Clear color", nullptr, 0},
    {"mnuInteraction", "Interactionsep", -1, "-", nullptr, 0},
    {"mnuInteraction", "mnuInteractionEdit", -1, "Details", nullptr, 0},
    {"mnuInteraction", "mnuInteractionDetails", -1, "(old)Details", nullptr, kHidden},
    {"mnuInteraction", "Exceptions", 0, "Exceptions", nullptr, 0},

    {nullptr, "mnuMatchingEntity", -1, "MatchingEntity", nullptr, 0},
    {"mnuMatchingEntity", "mnuMatchingItem", -1, "Matching Item", nullptr, 0},
});
// clang-format on

void applyDesign(QAction& action, const MenuItemDesign& entry) {
    action.setObjectName(QLatin1String(entry.name));
    if (entry.index >= 0) {
        action.setProperty("Index", entry.index);
    }
    if (entry.shortcut != nullptr) {
        action.setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
    }
    action.setCheckable((entry.flags & kCheckable) != 0);
    action.setChecked((entry.flags & kChecked) == kChecked);
    action.setVisible((entry.flags & kHidden) == 0);
    action.setEnabled((entry.flags & kDisabled) == 0);
}

}  // namespace

MenuTree::MenuTree(QMenuBar& bar) {
    for (const MenuItemDesign& entry : kDesign) {
        const QString name = QLatin1String(entry.name);
        const QString caption = QLatin1String(entry.caption);
        QAction* action = nullptr;
        if (entry.parent == nullptr || (entry.flags & kSubmenu) != 0) {
            QWidget* parentWidget =
                entry.parent == nullptr ? static_cast<QWidget*>(&bar) : menu(entry.parent);
            auto* submenu = new QMenu(caption, parentWidget);
            submenu->setObjectName(name);
            // A user's name shortened in an item shows whole in the item's tool tip.
            submenu->setToolTipsVisible(true);
            action = entry.parent == nullptr ? bar.addMenu(submenu)
                                             : menu(entry.parent)->addMenu(submenu);
            menus_.insert(name, submenu);
        } else {
            QMenu* parentMenu = menu(entry.parent);
            if (parentMenu == nullptr) {
                throw std::logic_error("menu design names an unknown menu");
            }
            action = caption == QLatin1String("-") ? parentMenu->addSeparator()
                                                   : parentMenu->addAction(caption);
        }
        applyDesign(*action, entry);
        items_.insert(key(name, entry.index), action);
    }
}

QAction* MenuTree::item(const QString& name, int index) const {
    QAction* found = items_.value(key(name, index));
    if (found == nullptr) {
        throw std::out_of_range("no menu item " + key(name, index).toStdString());
    }
    return found;
}

QMenu* MenuTree::menu(const QString& name) const {
    QMenu* found = menus_.value(name);
    if (found == nullptr) {
        throw std::out_of_range("no menu " + name.toStdString());
    }
    return found;
}

bool MenuTree::hasItem(const QString& name, int index) const {
    return items_.contains(key(name, index));
}

bool MenuTree::hasMenu(const QString& name) const {
    return menus_.contains(name);
}

std::span<const MenuItemDesign> MenuTree::design() {
    return kDesign;
}

QString MenuTree::key(const QString& name, int index) {
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

}  // namespace vrn
