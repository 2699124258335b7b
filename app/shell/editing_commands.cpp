#include "app/shell/editing_commands.h"

#include "app/matrixwin/detail_dialogs.h"
#include "app/matrixwin/editing_rules.h"
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/practice_group_snapshot.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/frm_main.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

#include <QAction>

namespace vrn {

namespace {

// The colour commands' indices.
constexpr int kHighlightColor = 0;
constexpr int kWarningColor = 1;
constexpr int kClearColor = 99;

const QString kLastPracticeMessage = QStringLiteral(
    "I'm Sorry. I can't remove the last Practice of a Practice Group. If the Practice Group is "
    "obsolent please remove the Practice Group.");

}  // namespace

EditingCommands::EditingCommands(frmMain& main, VrnMain& program, ShellServices services)
    : QObject(&main), main_(main), program_(program), services_(services) {
    on("mnuRenameMatrix", &EditingCommands::renameMatrix);
    on("mnuActionAddGroup", &EditingCommands::groupAdd);
    on("mnuActionDeleteGroup", &EditingCommands::groupDelete);
    on("mnuActionAddPractice", &EditingCommands::practiceAdd);
    on("mnuActionDeletePractice", &EditingCommands::practiceDelete);

    on("mnuAltAdd", &EditingCommands::altAdd);
    on("mnuAltRename", &EditingCommands::altRename);
    on("mnuAltDel", &EditingCommands::altDelete);

    on("mnuPracticeRename", &EditingCommands::practiceRename);
    on("mnuPracticeAddNew", &EditingCommands::practiceAdd);
    on("mnuPracticeDetails", &EditingCommands::practiceDetails);
    on("mnuPracticeOptions", &EditingCommands::practiceDetails);
    onColor("mnuPracticeSet_Color", &EditingCommands::practiceColor);
    on("mnuPracticeDelete", &EditingCommands::practiceDelete);

    on("mnuPracticeGroupHide", &EditingCommands::groupHide);
    on("mnuPracticeGroupCycle", &EditingCommands::groupCycle);
    on("mnuPracticeGroupRevealPG", &EditingCommands::groupReveal, 0);
    on("mnuPracticeGroupRename", &EditingCommands::groupRename);
    on("mnuPracticeGroupAddNew", &EditingCommands::groupAdd);
    on("mnuPracticeGroupAddNewPractice", &EditingCommands::groupAddPractice);
    on("mnuPracticeGroupDetails", &EditingCommands::groupDetails);
    on("MnuPracticeGroupCopy", &EditingCommands::groupCopy);
    on("MnuPracticeGroupPaste", &EditingCommands::groupPaste);
    on("mnuPracticeGroupDelete", &EditingCommands::groupDelete);
    on("mnuPracticeGroupAddBlank", &EditingCommands::groupAddBlank);
    on("mnuPracticeGroupDialogue", &EditingCommands::groupDialogue);
    on("mnuPracticeGroupNewVRN", &EditingCommands::groupNewWindow);

    const std::array<std::pair<const char*, const char*>, 5> kImportance{{
        {"mnuImportance2", "+2"},
        {"mnuImportance1", "+1"},
        {"mnuImportance0", " "},
        {"mnuImportanceM1", "-1"},
        {"mnuImportanceM2", "-2"},
    }};
    for (const auto& [item, text] : kImportance) {
        connect(main_.menuItem(QLatin1String(item)), &QAction::triggered, this,
                [this, text] { main_.runDocumentCommand([&] { importance(text); }); });
    }
    const std::array<std::array<const char*, 3>, 4> kValues{{
        {"mnuInteractionPlus", "+", "Reinforcing Interaction"},
        {"mnuInteractionMinus", "-", "Interfering Interaction"},
        {"mnuInteractionQuestion", "?", "Question"},
        {"mnuInteractionBlank", " ", nullptr},
    }};
    for (const auto& [item, value, note] : kValues) {
        connect(main_.menuItem(QLatin1String(item)), &QAction::triggered, this,
                [this, value, note] {
                    main_.runDocumentCommand([&] { interactionValue(value, note); });
                });
    }
    onColor("mnuInteractionSet_Color", &EditingCommands::interactionColor);
    on("mnuInteractionEdit", &EditingCommands::interactionEdit);
    on("mnuMatchingItem", &EditingCommands::matchingItem);
}

void EditingCommands::on(const char* item, void (EditingCommands::*command)(), int index) {
    connect(main_.menuItem(QLatin1String(item), index), &QAction::triggered, this,
            [this, command] { main_.runDocumentCommand([&] { (this->*command)(); }); });
}

void EditingCommands::onColor(const char* item, void (EditingCommands::*command)(int)) {
    for (const int index : {kHighlightColor, kWarningColor, kClearColor}) {
        connect(
            main_.menuItem(QLatin1String(item), index), &QAction::triggered, this,
            [this, command, index] { main_.runDocumentCommand([&] { (this->*command)(index); }); });
    }
}

void EditingCommands::refresh() {
    main_.mnuViewRefresh_Click();
}

frmMatrix* EditingCommands::window() const {
    return main_.activeMatrixWindow();
}

std::shared_ptr<VRN_Practice> EditingCommands::practice() const {
    const auto* selected = std::get_if<std::shared_ptr<VRN_Practice>>(&program_.Current_Item);
    if (window() == nullptr || selected == nullptr || *selected == nullptr) {
        return nullptr;
    }
    // A practice deleted since it was selected is no longer in its group.
    const auto group = (*selected)->group();
    if (group == nullptr || !group->PracticeParts.Contains(selected->get())) {
        return nullptr;
    }
    return *selected;
}

std::shared_ptr<VRN_PracticeGroup> EditingCommands::group() const {
    const auto* selected = std::get_if<std::shared_ptr<VRN_PracticeGroup>>(&program_.Current_Item);
    if (window() == nullptr || selected == nullptr || *selected == nullptr) {
        return nullptr;
    }
    const auto state = (*selected)->partOf.lock();
    if (state == nullptr || !state->PGroups.Contains(selected->get())) {
        return nullptr;
    }
    return *selected;
}

std::shared_ptr<VRN_MatrixInteraction> EditingCommands::interaction() const {
    if (window() == nullptr || program_.Current_Interaction == nullptr ||
        program_.Current_Interaction->Practice1.expired() ||
        program_.Current_Interaction->practice2.expired()) {
        return nullptr;
    }
    return program_.Current_Interaction;
}

std::optional<std::int32_t> EditingCommands::commandColor(int index) const {
    switch (index) {
        case kHighlightColor:
            return program_.prefs.Color_0;
        case kWarningColor:
            return program_.prefs.Color_1;
        case kClearColor:
            return program_.prefs.InteractionColor;
        default:
            return std::nullopt;
    }
}

void EditingCommands::renameMatrix() {
    if (frmMatrix* active = window()) {
        active->RenameMatrix();
    }
}

void EditingCommands::altAdd() {
    frmMatrix* active = window();
    if (active == nullptr) {
        return;
    }
    VRN_Matrix& document = *active->base();
    const std::optional<QString> name =
        services_.prompt.inputBox(QStringLiteral("Please enter the name for this new alternative"),
                                  QStringLiteral("New Alternative"),
                                  QStringLiteral("Target Practices: Alternative %1")
                                      .arg(static_cast<int>(document.Alt_count) + 1));
    if (!name || name->isEmpty()) {
        return;
    }
    document.new_alternative(name->toStdString(), false);
    document.use_alternative(true, document.Alt_count);
    active->Redraw(true);
}

void EditingCommands::altRename() {
    frmMatrix* active = window();
    if (active == nullptr) {
        return;
    }
    const std::shared_ptr<VRN_State> state = active->base()->alternative();
    const std::optional<QString> name =
        services_.prompt.inputBox(QStringLiteral("Please Enter The New Name for this alternative"),
                                  QStringLiteral("New Name"), QString::fromStdString(state->Name));
    if (!name || name->isEmpty()) {
        return;
    }
    state->Name = name->toStdString();
    active->Redraw(true);
}

void EditingCommands::altDelete() {
    frmMatrix* active = window();
    if (active == nullptr) {
        return;
    }
    VRN_Matrix& document = *active->base();
    // The last alternative stays: a matrix needs a target state to draw against.
    if (document.Alt_count <= 1) {
        return;
    }
    const std::shared_ptr<VRN_State> state = document.alternative();
    const MsgBoxResult answer = services_.prompt.messageBox(
        QStringLiteral("Are you sure you want to delete the current alternative '%1' and all its "
                       "contents?")
            .arg(QString::fromStdString(state->Name)),
        {.buttons = MsgBoxButtons::YesNoCancel}, QStringLiteral("Delete Selected Alternative"));
    if (answer != MsgBoxResult::Yes) {
        return;
    }
    document.delete_alternative();
    active->Redraw(true);
}

void EditingCommands::practiceRename() {
    if (const auto p = practice()) {
        window()->RenamePractice(p);
        refresh();
    }
}

void EditingCommands::practiceAdd() {
    const auto p = practice();
    if (p == nullptr) {
        return;
    }
    const std::optional<QString> name =
        services_.prompt.inputBox(QStringLiteral("Please enter the name of the new Practice"),
                                  QStringLiteral("New Practice Entrance"));
    if (!name || name->isEmpty()) {
        return;
    }
    p->AddNewPractice(name->toStdString());
    refresh();
}

void EditingCommands::practiceDetails() {
    if (practice() != nullptr) {
        window()->timer_load_Practice_details.setEnabled(true);
    }
}

void EditingCommands::practiceColor(int index) {
    const auto p = practice();
    const std::optional<std::int32_t> color = commandColor(index);
    if (p == nullptr || !color) {
        return;
    }
    p->color = *color;
    if (p->Display != nullptr) {
        p->Display->setBackColor(*color);
    }
}

void EditingCommands::practiceDelete() {
    const auto p = practice();
    if (p == nullptr) {
        return;
    }
    if (p->group()->PracticeParts.Count() == 1) {
        services_.prompt.messageBox(kLastPracticeMessage, {.icon = MsgBoxIcon::Critical},
                                    QStringLiteral("Can't Remove Last Practice"));
        return;
    }
    p->Delete();
    program_.Current_Item = std::monostate{};
    refresh();
}

void EditingCommands::groupHide() {
    if (const auto g = group()) {
        g->DisplayPG = false;
        const auto state = g->partOf.lock();
        ++state->hidePGcount;
        refresh();
    }
}

void EditingCommands::groupCycle() {
    const auto g = group();
    if (g == nullptr) {
        return;
    }
    window()->cycle_mode = true;
    const auto state = g->partOf.lock();
    for (int i = 1; i <= state->PGroups.Count(); ++i) {
        state->PGroups.Item(i)->DisplayPG = i == 1;
    }
    refresh();
}

void EditingCommands::groupReveal() {
    const auto g = group();
    if (g == nullptr) {
        return;
    }
    window()->cycle_mode = false;
    const auto state = g->partOf.lock();
    for (int i = 1; i <= state->PGroups.Count(); ++i) {
        state->PGroups.Item(i)->DisplayPG = true;
    }
    state->hidePGcount = 0;
    refresh();
}

void EditingCommands::groupRename() {
    if (const auto g = group()) {
        window()->RenamePracticeGroup(g);
        refresh();
    }
}

void EditingCommands::groupAdd() {
    const auto g = group();
    if (g == nullptr) {
        return;
    }
    const std::optional<QString> name =
        services_.prompt.inputBox(QStringLiteral("Please enter the name of the new Practice Group"),
                                  QStringLiteral("New Practice Group Entrance"));
    if (!name || name->isEmpty()) {
        services_.prompt.messageBox(
            QStringLiteral("I'm Sorry, I can't add a Practice Group without a Name"),
            {.icon = MsgBoxIcon::Critical}, QStringLiteral("Can't add new Practice"));
        return;
    }
    g->AddNewPracticeGroup(name->toStdString());
    refresh();
}

void EditingCommands::groupAddPractice() {
    const auto g = group();
    if (g == nullptr || g->PracticeParts.Empty()) {
        return;
    }
    program_.Current_Item = g->PracticeParts.Item(g->PracticeParts.Count());
    practiceAdd();
}

void EditingCommands::groupDetails() {
    const auto g = group();
    if (g == nullptr) {
        return;
    }
    if (g->is_entity) {
        services_.prompt.messageBox(QStringLiteral(
            "This operation is Unsupported in the standalone version of the VRN software"));
    } else {
        services_.prompt.messageBox(
            QStringLiteral("I'm Sorry. This Practice Group does not have entity details to show. "),
            {.icon = MsgBoxIcon::Critical}, QStringLiteral("Can't show entity details."));
    }
}

void EditingCommands::groupCopy() {
    if (const auto g = group()) {
        program_.Copy_Source_Kind = kSourcePracticeGroup;
        // The group as it is now: Paste copies this even once the group is gone.
        main_.Copying_PG = SnapshotOf(g, main_.componentContext());
        main_.menuItem(QStringLiteral("MnuPracticeGroupPaste"))->setEnabled(true);
    }
}

void EditingCommands::groupPaste() {
    const auto g = group();
    if (g == nullptr) {
        return;
    }
    // Nothing copied yet, nothing to paste.
    if (program_.Copy_Source_Kind != kSourcePracticeGroup || !standsInDocument(main_.Copying_PG)) {
        main_.Copying_PG = nullptr;
        program_.Copy_Source_Kind = 0;
        main_.menuItem(QStringLiteral("MnuPracticeGroupPaste"))->setEnabled(false);
        return;
    }
    std::make_shared<VRN_PracticeGroup>()->Copy(main_.Copying_PG, g);
    refresh();
}

void EditingCommands::groupDelete() {
    const auto g = group();
    if (g == nullptr || !mayRemoveGroup(services_.prompt, *g)) {
        return;
    }
    g->Delete();
    program_.Current_Item = std::monostate{};
    refresh();
}

void EditingCommands::groupAddBlank() {
    if (const auto g = group()) {
        g->AddBlankPracticeGroup();
        refresh();
    }
}

void EditingCommands::groupDialogue() {
    if (const auto g = group()) {
        ShowGuidedQuestions({program_, services_.prompt, services_.starter}, *g, &main_);
    }
}

void EditingCommands::groupNewWindow() {
    if (const auto g = group()) {
        main_.New_Matrix_Window(true, nullptr, g);
    }
}

void EditingCommands::importance(const char* text) {
    const auto p = practice();
    if (p == nullptr) {
        return;
    }
    p->Importance_value = text;
    if (p->Importance != nullptr) {
        p->Importance->setText(text);
    }
}

void EditingCommands::interactionValue(const char* value, const char* note) {
    const auto i = interaction();
    if (i == nullptr) {
        return;
    }
    i->setValue(value);
    if (note == nullptr) {
        return;
    }
    if (i->Note().empty()) {
        i->setNote(note);
    }
    if (i->Display != nullptr) {
        i->Display->setToolTipText(i->Note());
    }
}

void EditingCommands::interactionColor(int index) {
    const auto i = interaction();
    const std::optional<std::int32_t> color = commandColor(index);
    if (i == nullptr || !color) {
        return;
    }
    i->color = *color;
    if (i->Display != nullptr) {
        i->Display->setBackColor(*color);
    }
}

void EditingCommands::interactionEdit() {
    if (const auto i = interaction()) {
        ShowInteractionDetails({program_, services_.prompt, services_.starter}, *i, &main_);
    }
}

void EditingCommands::matchingItem() {
    services_.prompt.messageBox(QStringLiteral(
        "There is no interaction between a practice and itself.  If you desire to store "
        "interaction information here, then you will need to replace one of the items with a "
        "specialization."));
}

}  // namespace vrn
