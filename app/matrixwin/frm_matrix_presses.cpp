#include "app/matrixwin/frm_matrix.h"

#include "app/common/command_guard.h"
#include "app/matrixwin/detail_dialogs.h"
#include "app/matrixwin/editing_rules.h"
#include "app/matrixwin/event_handler_filter.h"
#include "app/matrixwin/note_box.h"
#include "app/matrixwin/window_units.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <utility>

// Presses, double presses, drags, hovers and clicks on the matrix window's canvas: they select
// cells, show the main window's popup menus, the status text and the note box, open the detail
// dialogs and copy practices and groups where they are dropped.

namespace vrn {

namespace {

// The same cell pressed again sooner than this is a double press, whatever the system's
// double-click time.
constexpr double kDoublePressSeconds = 0.5;
// A note shorter than this many characters gets no note box.
constexpr std::size_t kShortestNote = 3;
// Note boxes of a cell carry the cell's index raised by this, apart from interaction cells'.
constexpr int kPracticeNoteTag = 1000;
// A note box beside an interaction cell keeps this far from it.
constexpr float kBesideGapTwips = 30;
constexpr int kAlignCentre = 2;
constexpr int kAlignLeft = 0;

double secondsSinceStart() {
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point start = Clock::now();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

// Where on the canvas a pointer event is, and what is there.
struct CanvasHit {
    QPointF at;  // canvas pixels
    const ScenePaintable* control = nullptr;
    int cell = 0;         // its index as a cell, or 0
    int interaction = 0;  // its index as an interaction cell, or 0
    float x = 0;          // the position within the control, in twips
    float y = 0;
};

namespace {

CanvasHit hitAt(const frmMatrix& window, const QPointF& at) {
    CanvasHit hit{.at = at, .control = window.canvas().controlAt(at)};
    hit.cell = window.groupCellIndex(hit.control);
    hit.interaction = hit.cell == 0 ? window.interactionCellIndex(hit.control) : 0;
    // X and Y within the control, in twips.
    const QPointF corner = hit.control != nullptr ? hit.control->paintRect().topLeft() : QPointF();
    hit.x = windowTwips(qRound(at.x() - corner.x()));
    hit.y = windowTwips(qRound(at.y() - corner.y()));
    return hit;
}

// The matrix window whose canvas is at the screen position `global`, and the point on it; none
// when no canvas shows there.
std::pair<frmMatrix*, QPoint> canvasUnder(const QPoint& global) {
    QWidget* widget = QApplication::widgetAt(global);
    for (QWidget* owner = widget; owner != nullptr; owner = owner->parentWidget()) {
        if (auto* window = qobject_cast<frmMatrix*>(owner)) {
            if (widget == &window->canvas()) {
                return {window, widget->mapFromGlobal(global)};
            }
            break;
        }
    }
    return {nullptr, QPoint()};
}

}  // namespace

void frmMatrix::connectEditing() {
    pressClock = secondsSinceStart;
    connectFieldEditor();
    // The canvas's pointer events reach this before the window's own filter sees them.
    canvasPointerFilter_ = new EventHandlerFilter(
        this, [this](QObject*, QEvent* event) { return canvasPointerEvent(event); });
    canvas_->installEventFilter(canvasPointerFilter_);
    connect(this, &frmMatrix::practiceDetailsRequested, this,
            [this](const std::shared_ptr<VRN_Practice>& practice) {
                openPracticeDialogs(practice, false);
            });
    connect(this, &frmMatrix::practiceOptionsRequested, this,
            [this](const std::shared_ptr<VRN_Practice>& practice) {
                openPracticeDialogs(practice, true);
            });
}

void frmMatrix::openPracticeDialogs(const std::shared_ptr<VRN_Practice>& practice, bool options) {
    MatrixHost* host = program_.Main_Window;
    if (host == nullptr || practice == nullptr) {
        return;
    }
    const DetailDialogServices services{program_, prompt_, host->programStarter()};
    if (options) {
        ShowPracticeOptions(services, *practice, host->dialogParent());
    } else {
        ShowPracticeDetails(services, *practice, host->dialogParent());
    }
    Redraw(false);
}

int frmMatrix::groupCellIndex(const ScenePaintable* control) const {
    for (std::size_t i = 0; i < btnGroup_.size(); ++i) {
        if (static_cast<const ScenePaintable*>(btnGroup_[i].get()) == control) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int frmMatrix::interactionCellIndex(const ScenePaintable* control) const {
    return lblInteract_.IndexOf(control);
}

bool frmMatrix::canvasPointerEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseMove) {
        return false;
    }
    if (Frametool_Enabled || Frametool_Active) {
        return false;  // an armed frame tool takes the presses on the window
    }
    const auto& mouse = *static_cast<QMouseEvent*>(event);
    const CanvasHit hit = hitAt(*this, mouse.position());
    bool handled = false;
    runGuarded(prompt_, [&] {
        if (type == QEvent::MouseButtonRelease) {
            handled = canvasRelease(mouse, hit);
        } else if (type == QEvent::MouseMove) {
            handled = canvasMove(mouse, hit);
        } else {
            handled = canvasPress(mouse, hit);
        }
    });
    return handled;
}

bool frmMatrix::canvasPress(const QMouseEvent& mouse, const CanvasHit& hit) {
    // A press anywhere on the matrix leaves the field being edited.
    finishFieldEdit();
    pressedControl_ = hit.control;
    const bool left = mouse.button() == Qt::LeftButton;
    const bool doubleClick = mouse.type() == QEvent::MouseButtonDblClick;
    if (left && doubleClick && fieldDoubleClicked(hit.control)) {
        return true;
    }
    if (left && beginFieldEdit(hit.control)) {
        return true;
    }
    if (hit.cell != 0) {
        dragFrom_ = 0;
        dragStart_ = hit.at;
        btnGroup_MouseDown(hit.cell, mouse.button(), hit.x, hit.y);
        return true;
    }
    if (hit.interaction != 0) {
        lblInteract_MouseDown(hit.interaction, mouse.button(), hit.x, hit.y);
        if (left && doubleClick) {
            lblInteract_DblClick(hit.interaction);
            pressedControl_ = nullptr;
        }
        return true;
    }
    if (left && doubleClick && hit.control == &frameDescription_) {
        FrameDescription_DblClick();
        pressedControl_ = nullptr;
        return true;
    }
    return false;
}

bool frmMatrix::canvasRelease(const QMouseEvent& mouse, const CanvasHit& hit) {
    const ScenePaintable* pressed = std::exchange(pressedControl_, nullptr);
    const int from = std::exchange(dragFrom_, 0);
    canvas_->unsetCursor();
    if (mouse.button() != Qt::LeftButton) {
        return false;
    }
    const bool moved = (hit.at - dragStart_).manhattanLength() >= QApplication::startDragDistance();
    if (from != 0 && moved) {
        dropAt(mouse.globalPosition(), hit);
        return true;
    }
    if (pressed == nullptr || pressed != hit.control) {
        return false;
    }
    if (hit.interaction != 0) {
        lblInteract_Click(hit.interaction);
        return true;
    }
    return controlClicked(hit.control);
}

bool frmMatrix::controlClicked(const ScenePaintable* control) {
    const std::array<std::pair<const ScenePaintable*, void (frmMatrix::*)()>, 11> clicks{{
        {&btnUpAlt_, &frmMatrix::btnUpAlt_Click},
        {&btnDownAlt_, &frmMatrix::btnDownAlt_Click},
        {&btnSortDown_, &frmMatrix::btnSortDown_Click},
        {&btnSortRight_, &frmMatrix::btnSortRight_Click},
        {&btnSHowPGs_, &frmMatrix::btnSHowPGs_Click},
        {&btnShowHorPGs_, &frmMatrix::btnShowHorPGs_Click},
        {&btnExisting_, &frmMatrix::btnExisting_Click},
        {&btnTarget_, &frmMatrix::btnTarget_Click},
        {&chkLock_, &frmMatrix::chkLock_Click},
        {&frameDescription_, &frmMatrix::FrameDescription_Click},
        {&logo_, &frmMatrix::Form_Click},
    }};
    for (const auto& [button, click] : clicks) {
        if (button == control) {
            (this->*click)();
            return true;
        }
    }
    return false;
}

bool frmMatrix::canvasMove(const QMouseEvent& mouse, const CanvasHit& hit) {
    if (dragFrom_ != 0 && (mouse.buttons() & Qt::LeftButton) != 0) {
        canvas_->setCursor(Qt::DragCopyCursor);
    }
    if (hit.cell != 0) {
        btnGroup_MouseMove(hit.cell);
        return true;
    }
    if (hit.interaction != 0) {
        lblInteract_MouseMove(hit.interaction);
        return true;
    }
    return false;
}

void frmMatrix::dropAt(const QPointF& global, const CanvasHit& hit) {
    // The drag state lives on the main window: a cell dragged here may land on another window.
    const auto [target, point] = canvasUnder(global.toPoint());
    if (target == this || (target == nullptr && canvas_->rect().contains(hit.at.toPoint()))) {
        if (hit.cell != 0) {
            btnGroup_DragDrop(hit.cell);
        }
        return;
    }
    if (target != nullptr) {
        if (const int cell = target->groupCellIndex(target->canvas().controlAt(point))) {
            target->btnGroup_DragDrop(cell);
        }
        Timer1.setEnabled(true);  // releases the cell pressed here
    }
}

void frmMatrix::btnGroup_MouseDown(int Index, Qt::MouseButton Button, float X, float Y) {
    const SceneCell& pressed = btnGroup(Index);
    lastPress_ = QPointF(pressed.left() + X, pressed.top() + Y);
    if (Frametool_Enabled || Frametool_Active) {
        Last_Pressed_Index = Index;
        return;
    }
    const std::optional<CellObject> item = Cell_Object(Index);
    if (!item) {
        return;
    }
    const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&*item);
    const auto* group = std::get_if<std::shared_ptr<VRN_PracticeGroup>>(&*item);
    const bool blank = practice != nullptr ? (*practice)->is_blank : (*group)->is_blank;
    if (blank) {
        if (group != nullptr && Button == Qt::RightButton) {
            offerBlankRowRemoval(*group);
        }
        return;
    }
    Show_Practice_Selection(practice != nullptr ? SelectedItem(*practice) : SelectedItem(*group));
    if (Button == Qt::RightButton) {
        popupFor(*item, Index);
    } else if (Button == Qt::LeftButton) {
        leftPress(*item, Index);
    }
    if (practice != nullptr) {
        showPracticeNote(*practice, Index);
    }
    Last_Pressed_Index = Index;
}

void frmMatrix::offerBlankRowRemoval(const std::shared_ptr<VRN_PracticeGroup>& group) {
    if (prompt_.messageBox(QStringLiteral("Do you wish to remove the blank row?"),
                           {.buttons = MsgBoxButtons::YesNo}) == MsgBoxResult::Yes &&
        mayRemoveGroup(prompt_, *group)) {
        Clear_Selection(false, 0);
        group->Delete();
        Redraw(false);
    }
}

void frmMatrix::popupFor(const CellObject& item, int Index) {
    MatrixHost* host = program_.Main_Window;
    if (host == nullptr) {
        return;
    }
    program_.Current_Matrix = base();
    if (const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&item)) {
        const auto partOf = (*practice)->group();
        host->hostMenuItem(QStringLiteral("mnuPracticeDelete"))
            .setEnabled(partOf != nullptr && partOf->PracticeParts.Count() != 1);
        if ((*practice)->Display.get() == &btnGroup(Index)) {
            host->hostMenuItem(QStringLiteral("mnuPracticeDetails")).setEnabled(true);
            host->popupMenu(QStringLiteral("MnuPractice"));
        } else {
            host->popupMenu(QStringLiteral("mnuImportance"));
        }
        return;
    }
    enableGroupPopup(*host, *std::get<std::shared_ptr<VRN_PracticeGroup>>(item));
    host->popupMenu(QStringLiteral("MnuPracticeGroup"));
}

void frmMatrix::enableGroupPopup(MatrixHost& host, const VRN_PracticeGroup& group) {
    const auto state = group.partOf.lock();
    int shown = 0;
    int hidden = 0;
    const int groups = state != nullptr ? state->PGroups.Count() : 1;
    for (int i = 1; state != nullptr && i <= groups; ++i) {
        (state->PGroups.Item(i)->DisplayPG ? shown : hidden) += 1;
    }
    const auto enable = [&host](const char* name, bool enabled) {
        host.hostMenuItem(QLatin1String(name)).setEnabled(enabled);
    };
    enable("mnuPracticeGroupCycle", shown + hidden > 1);
    enable("mnuPracticeGroupHide", shown > 1);
    enable("mnuPracticeGroupReveal", hidden > 0);
    enable("mnuPracticeGroupDelete", groups != 1);
    enable("mnuPracticeGroupDetails", group.is_entity);
    enable("MnuPracticeGroupPaste", program_.Copy_Source_Kind == kSourcePracticeGroup &&
                                        standsInDocument(host.copiedPracticeGroup()));
}

void frmMatrix::leftPress(const CellObject& item, int Index) {
    MatrixHost* host = program_.Main_Window;
    const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&item);
    setPressedCell(btnGroup_[static_cast<std::size_t>(Index - 1)]);
    const double now = pressClock();
    const double elapsed = now - program_.Last_Press_Time;
    program_.Last_Press_Time = now;
    if (Index != Last_Pressed_Index || elapsed >= kDoublePressSeconds || elapsed < 0) {
        // A drag starts: the main window keeps what it carries, for a drop on any window.
        dragFrom_ = Index;
        program_.Drag_Source_Kind = practice != nullptr ? kSourcePractice : kSourcePracticeGroup;
        if (host != nullptr && practice != nullptr) {
            host->draggedPractice() = *practice;
        } else if (host != nullptr) {
            host->draggedPracticeGroup() = std::get<std::shared_ptr<VRN_PracticeGroup>>(item);
        }
    } else if (practice != nullptr && (*practice)->Display.get() == &btnGroup(Index)) {
        timer_load_Practice_details.setEnabled(true);
    } else if (practice != nullptr) {
        if (host != nullptr) {
            host->popupMenu(QStringLiteral("mnuImportance"));
        }
    } else {
        RenamePracticeGroup(std::get<std::shared_ptr<VRN_PracticeGroup>>(item));
        Timer1.setEnabled(true);
        Redraw(false);
    }
}

void frmMatrix::showPracticeNote(const std::shared_ptr<VRN_Practice>& practice, int Index) {
    const SceneCell& pressed = btnGroup(Index);
    if (practice->Display.get() != &pressed || practice->Description().size() < kShortestNote) {
        return;
    }
    const float noteWidth = windowTwips(noteBox_->width());
    Display_NoteBox(practice, QString(), QString::fromStdString(practice->Description()),
                    QString::fromStdString(practice->Discussion), practice->color,
                    pressed.top() + pressed.Height(), pressed.left() - noteWidth / 4,
                    Index + kPracticeNoteTag, base()->VRN_Practice_Font_Size, kAlignCentre);
}

void frmMatrix::btnGroup_MouseMove(int Index) {
    showStatusOf(StatusSubject{.cell = Index});
}

void frmMatrix::btnGroup_DragDrop(int Index) {
    program_.Report_Window = this;
    Timer1.setEnabled(true);
    MatrixHost* host = program_.Main_Window;
    const std::optional<CellObject> target = Cell_Object(Index);
    if (host == nullptr || !target) {
        return;
    }
    std::shared_ptr<VRN_PracticeGroup> receiving;
    bool targetBlank = false;
    const void* targetObject = nullptr;
    if (const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&*target)) {
        receiving = (*practice)->group();
        targetBlank = (*practice)->is_blank;
        targetObject = practice->get();
    } else {
        receiving = std::get<std::shared_ptr<VRN_PracticeGroup>>(*target);
        targetBlank = receiving->is_blank;
        targetObject = receiving.get();
    }
    if (targetBlank || receiving == nullptr) {
        return;
    }
    if (program_.Drag_Source_Kind == kSourcePractice) {
        const std::shared_ptr<VRN_Practice>& dragged = host->draggedPractice();
        if (dragged == nullptr || dragged.get() == targetObject) {
            return;
        }
        std::make_shared<VRN_Practice>()->Copy(dragged, receiving);
    } else if (program_.Drag_Source_Kind == kSourcePracticeGroup) {
        const std::shared_ptr<VRN_PracticeGroup>& dragged = host->draggedPracticeGroup();
        if (dragged == nullptr || dragged.get() == targetObject || !standsInDocument(dragged)) {
            return;
        }
        std::make_shared<VRN_PracticeGroup>()->Copy(dragged, receiving);
    } else {
        return;
    }
    Redraw(false);
}

void frmMatrix::lblInteract_MouseDown(int Index, Qt::MouseButton Button, float X, float Y) {
    const auto& label = lblInteract_.Cell(Index);
    lastPress_ = QPointF(label.left() + X, label.top() + Y);
    const auto interaction = Interaction_Object(Index);
    MatrixHost* host = program_.Main_Window;
    if (Button != Qt::RightButton || interaction == nullptr || interaction->is_blank ||
        host == nullptr) {
        return;
    }
    program_.Current_Interaction = interaction;
    const auto first = interaction->Practice1.lock();
    const auto second = interaction->practice2.lock();
    if (first != nullptr && second != nullptr && first->is_entity &&
        first->entity_ID == second->entity_ID) {
        host->popupMenu(QStringLiteral("mnuMatchingEntity"));
    } else {
        host->setup_interaction_Menu();
        host->popupMenu(QStringLiteral("mnuInteraction"));
    }
}

void frmMatrix::lblInteract_Click(int Index) {
    const auto interaction = Interaction_Object(Index);
    if (Frametool_Enabled || interaction == nullptr || interaction->is_blank ||
        interaction->Description().size() < kShortestNote) {
        return;
    }
    const auto& cell = lblInteract_.Cell(Index);
    const float noteWidth = windowTwips(noteBox_->width());
    const float noteHeight = windowTwips(noteBox_->height());
    const float practiceHeight = program_.prefs.PracticeHeight;
    float boxLeft = cell.left() - noteWidth / 2 + practiceHeight / 2;
    float boxTop = cell.top() + cell.Height();
    int alignment = kAlignCentre;
    const auto state = interaction->parentState();
    const auto first = interaction->Practice1.lock();
    const auto second = interaction->practice2.lock();
    if (state != nullptr && !state->horizontal && first != nullptr && second != nullptr &&
        first->Display != nullptr && second->Display != nullptr) {
        const float firstTop = first->Display->top();
        const auto gap = static_cast<std::int16_t>(std::clamp<float>(
            firstTop - second->Display->top() - practiceHeight, INT16_MIN, INT16_MAX));
        if ((firstTop < boxTop && boxTop < firstTop + first->Display->Height()) ||
            gap <= noteHeight) {
            boxTop = firstTop + practiceHeight;
        } else {
            boxTop = cell.top() - noteHeight / 2 + cell.Height() / 2;
            boxLeft = cell.left() + cell.Height() + kBesideGapTwips;
            alignment = kAlignLeft;
        }
        boxLeft = std::max(0.0F, boxLeft);
    }
    Display_NoteBox(interaction, QString::fromStdString(interaction->Note()),
                    QString::fromStdString(interaction->Description()),
                    QString::fromStdString(interaction->Discussion()), interaction->color, boxTop,
                    boxLeft, Index, base()->VRN_Practice_Font_Size, alignment);
}

void frmMatrix::lblInteract_DblClick(int Index) {
    noteBox_->Tag.clear();
    noteBox_->hide();
    const auto interaction = Interaction_Object(Index);
    MatrixHost* host = program_.Main_Window;
    if (interaction == nullptr || interaction->is_blank || host == nullptr) {
        return;
    }
    ShowInteractionDetails({program_, prompt_, host->programStarter()}, *interaction,
                           host->dialogParent());
    canvas_->unsetCursor();
}

void frmMatrix::lblInteract_MouseMove(int Index) {
    const auto interaction = Interaction_Object(Index);
    if (interaction == nullptr || interaction->is_blank) {
        return;
    }
    const auto first = interaction->Practice1.lock();
    const auto second = interaction->practice2.lock();
    if (first == nullptr || second == nullptr) {
        return;
    }
    Clear_Selection(true, Index);
    const std::int32_t highlight = program_.prefs.HighlightColor;
    for (const auto& practice : {first, second}) {
        if (practice->Display != nullptr) {
            practice->Display->setBackColor(highlight);
        }
    }
    setHoveredInteraction(interaction);
    showStatusOf(StatusSubject{.interaction = Index});
}

void frmMatrix::btnUpAlt_Click() {
    if (base()->Alt_i >= 2) {
        use_alternative(true, static_cast<std::int16_t>(base()->Alt_i - 1));
    }
}

void frmMatrix::btnDownAlt_Click() {
    if (base()->Alt_i < base()->Alt_count) {
        use_alternative(true, static_cast<std::int16_t>(base()->Alt_i + 1));
    }
}

void frmMatrix::btnSortDown_Click() {
    if (MatrixHost* host = program_.Main_Window) {
        host->setChecked(ViewMark::mnuViewPracticeGroups, false);
    }
    base()->Existing()->SortPractices();
    Redraw(false);
}

void frmMatrix::btnSortRight_Click() {
    if (MatrixHost* host = program_.Main_Window) {
        host->setChecked(ViewMark::mnuViewPracticeGroups, false);
    }
    base()->alternative()->SortPractices();
    Redraw(false);
}

void frmMatrix::showPracticeGroups(VRN_State& state) {
    const int count = state.PGroups.Count();
    if (!cycle_mode) {
        for (int i = 1; i <= count; ++i) {
            state.PGroups.Item(i)->DisplayPG = true;
        }
        state.hidePGcount = 0;
    } else if (count > 0) {
        int shown = count + 1;
        for (int i = 1; i <= count; ++i) {
            if (state.PGroups.Item(i)->DisplayPG) {
                shown = i;
                break;
            }
        }
        const int next = shown + 1 > count ? 1 : shown + 1;
        for (int i = 1; i <= count; ++i) {
            state.PGroups.Item(i)->DisplayPG = i == next;
        }
    }
    if (MatrixHost* host = program_.Main_Window) {
        host->setChecked(ViewMark::mnuViewPracticeGroups, true);
    }
    Redraw(false);
}

void frmMatrix::btnSHowPGs_Click() {
    showPracticeGroups(*base()->Existing());
}

void frmMatrix::btnShowHorPGs_Click() {
    showPracticeGroups(*base()->Alternatives_col.Item(base()->Alt_i));
}

void frmMatrix::renameState(VRN_State& state, const QString& prompt) {
    const std::optional<QString> name =
        prompt_.inputBox(prompt, QStringLiteral("New Name"), QString::fromStdString(state.Name));
    if (!name || name->isEmpty()) {
        return;
    }
    state.Name = name->toStdString();
    Form_Activate();
    Redraw(false);
}

void frmMatrix::btnExisting_Click() {
    renameState(*base()->Existing(),
                QStringLiteral("Please Enter The New Name for the Existing Practices"));
}

void frmMatrix::btnTarget_Click() {
    renameState(*base()->alternative(),
                QStringLiteral("Please Enter The New Name for this alternative"));
}

}  // namespace vrn

namespace vrn {

void frmMatrix::chkLock_Click() {
    VRN_Matrix& document = *base();
    // A locked matrix stays locked: the box no longer answers.
    if (document.locked || !chkLock_.Enabled()) {
        return;
    }
    const MsgBoxResult answer = prompt_.messageBox(
        QStringLiteral("Locking this matrix will initiate a final save and prevent further saves "
                       "to this file.  Do you wish to lock this matrix?"),
        {.buttons = MsgBoxButtons::OkCancel}, QStringLiteral("Matrix Locking"));
    if (answer != MsgBoxResult::Ok) {
        chkLock_.setValue(false);
        return;
    }
    chkLock_.setValue(true);
    document.locked = true;
    document.justlocked = true;
    if (SaveMatrixAs(true) == SaveOutcome::Failed) {
        // A save that fails leaves the matrix unlocked, as it was.
        document.locked = false;
        document.justlocked = false;
        chkLock_.setValue(false);
        return;
    }
    chkLock_.setEnabled(false);
    if (MatrixHost* host = program_.Main_Window) {
        host->setMnuFileSaveEnabled(false);
    }
}

}  // namespace vrn
