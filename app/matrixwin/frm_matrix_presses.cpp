#include "app/matrixwin/frm_matrix.h"

#include "app/common/command_guard.h"
#include "app/matrixwin/detail_dialogs.h"
#include "app/matrixwin/editing_rules.h"
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

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Forwards the canvas's pointer events to the window before the window's own filter sees them.
class CanvasPointerFilter : public QObject {
public:
    CanvasPointerFilter(QObject* parent, std::function<bool(QEvent*)> handler)
        : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override { return handler_(event); }

private:
    std::function<bool(QEvent*)> handler_;
};

}  // namespace

void frmMatrix::connectEditing() {
    pressClock = secondsSinceStart;
    connectFieldEditor();
    canvasPointerFilter_ =
        new CanvasPointerFilter(this, [this](QEvent* event) { return canvasPointerEvent(event); });
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
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF at = mouse->position();
    const ScenePaintable* control = canvas_->controlAt(at);
    const int cell = groupCellIndex(control);
    const int interaction = cell == 0 ? interactionCellIndex(control) : 0;
    // X and Y within the control, in twips.
    const auto within = [&at, control] {
        const QPointF corner = control != nullptr ? control->paintRect().topLeft() : QPointF();
        return std::pair(windowTwips(qRound(at.x() - corner.x())),
                         windowTwips(qRound(at.y() - corner.y())));
    };
    bool handled = false;
    runGuarded(prompt_, [&] {
        switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: {
                // A press anywhere on the matrix leaves the field being edited.
                finishFieldEdit();
                pressedControl_ = control;
                if (mouse->button() == Qt::LeftButton && beginFieldEdit(control)) {
                    handled = true;
                    break;
                }
                const auto [x, y] = within();
                if (cell != 0) {
                    dragFrom_ = 0;
                    dragStart_ = at;
                    btnGroup_MouseDown(cell, mouse->button(), x, y);
                    handled = true;
                } else if (interaction != 0) {
                    lblInteract_MouseDown(interaction, mouse->button(), x, y);
                    if (type == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
                        lblInteract_DblClick(interaction);
                        pressedControl_ = nullptr;
                    }
                    handled = true;
                }
                break;
            }
            case QEvent::MouseButtonRelease: {
                const ScenePaintable* pressed = std::exchange(pressedControl_, nullptr);
                const int from = std::exchange(dragFrom_, 0);
                canvas_->unsetCursor();
                if (mouse->button() != Qt::LeftButton) {
                    break;
                }
                const bool moved =
                    (at - dragStart_).manhattanLength() >= QApplication::startDragDistance();
                if (from != 0 && moved && cell != 0) {
                    btnGroup_DragDrop(cell);
                    handled = true;
                } else if (interaction != 0 && pressed == control) {
                    lblInteract_Click(interaction);
                    handled = true;
                } else if (pressed != nullptr && pressed == control) {
                    handled = clickOwnButton(control);
                }
                break;
            }
            case QEvent::MouseMove:
                if (dragFrom_ != 0 && (mouse->buttons() & Qt::LeftButton) != 0) {
                    canvas_->setCursor(Qt::DragCopyCursor);
                }
                if (cell != 0) {
                    btnGroup_MouseMove(cell);
                    handled = true;
                } else if (interaction != 0) {
                    lblInteract_MouseMove(interaction);
                    handled = true;
                }
                break;
            default:
                break;
        }
    });
    return handled;
}

bool frmMatrix::clickOwnButton(const ScenePaintable* control) {
    const std::array<std::pair<const ScenePaintable*, void (frmMatrix::*)()>, 8> buttons{
        {{&btnUpAlt_, &frmMatrix::btnUpAlt_Click},
         {&btnDownAlt_, &frmMatrix::btnDownAlt_Click},
         {&btnSortDown_, &frmMatrix::btnSortDown_Click},
         {&btnSortRight_, &frmMatrix::btnSortRight_Click},
         {&btnSHowPGs_, &frmMatrix::btnSHowPGs_Click},
         {&btnShowHorPGs_, &frmMatrix::btnShowHorPGs_Click},
         {&btnExisting_, &frmMatrix::btnExisting_Click},
         {&btnTarget_, &frmMatrix::btnTarget_Click}}};
    bool clicked = false;
    for (const auto& [button, click] : buttons) {
        if (button == control) {
            (this->*click)();
            clicked = true;
        }
    }
    if (control == &chkLock_) {
        chkLock_Click();
        clicked = true;
    }
    if (control == &frameDescription_) {
        RenameMatrix();
        clicked = true;
    }
    return clicked;
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
        if (group != nullptr && Button == Qt::RightButton &&
            prompt_.messageBox(QStringLiteral("Do you wish to remove the blank row?"),
                               {.buttons = MsgBoxButtons::YesNo}) == MsgBoxResult::Yes &&
            mayRemoveGroup(prompt_, **group)) {
            Clear_Selection(false, 0);
            (*group)->Delete();
            Redraw(false);
        }
        return;
    }
    const SelectedItem selected =
        practice != nullptr ? SelectedItem(*practice) : SelectedItem(*group);
    Show_Practice_Selection(selected);
    MatrixHost* host = program_.Main_Window;
    const bool ownCell = practice != nullptr && (*practice)->Display.get() == &pressed;

    if (Button == Qt::RightButton && host != nullptr) {
        program_.Current_Matrix = base();
        const auto enable = [host](const char* name, bool enabled) {
            host->hostMenuItem(QLatin1String(name)).setEnabled(enabled);
        };
        if (practice != nullptr) {
            const auto partOf = (*practice)->group();
            enable("mnuPracticeDelete", partOf != nullptr && partOf->PracticeParts.Count() != 1);
            if (ownCell) {
                enable("mnuPracticeDetails", true);
                host->popupMenu(QStringLiteral("MnuPractice"));
            } else {
                host->popupMenu(QStringLiteral("mnuImportance"));
            }
        } else {
            popupPracticeGroupMenu(*host, **group);
        }
    } else if (Button == Qt::LeftButton) {
        setPressedCell(btnGroup_[static_cast<std::size_t>(Index - 1)]);
        const double now = pressClock();
        const double elapsed = now - program_.Last_Press_Time;
        if (Index != Last_Pressed_Index || elapsed >= kDoublePressSeconds || elapsed < 0) {
            dragFrom_ = Index;
            if (practice != nullptr) {
                program_.Drag_Source_Kind = kSourcePractice;
                if (host != nullptr) {
                    host->draggedPractice() = *practice;
                }
            } else {
                program_.Drag_Source_Kind = kSourcePracticeGroup;
                if (host != nullptr) {
                    host->draggedPracticeGroup() = *group;
                }
            }
        } else if (practice != nullptr && ownCell) {
            timer_load_Practice_details.setEnabled(true);
        } else if (practice != nullptr) {
            if (host != nullptr) {
                host->popupMenu(QStringLiteral("mnuImportance"));
            }
        } else {
            RenamePracticeGroup(*group);
            Timer1.setEnabled(true);
            Redraw(false);
        }
        program_.Last_Press_Time = now;
    }

    if (practice != nullptr && ownCell && (*practice)->Description().size() >= kShortestNote) {
        const float noteWidth = windowTwips(noteBox_->width());
        Display_NoteBox(*practice, QString(), QString::fromStdString((*practice)->Description()),
                        QString::fromStdString((*practice)->Discussion), (*practice)->color,
                        pressed.top() + pressed.Height(), pressed.left() - noteWidth / 4,
                        Index + kPracticeNoteTag, base()->VRN_Practice_Font_Size, kAlignCentre);
    }
    Last_Pressed_Index = Index;
}

void frmMatrix::popupPracticeGroupMenu(MatrixHost& host, const VRN_PracticeGroup& group) {
    const auto enable = [&host](const char* name, bool enabled) {
        host.hostMenuItem(QLatin1String(name)).setEnabled(enabled);
    };
    const auto state = group.partOf.lock();
    int shown = 0;
    int hidden = 0;
    const int groups = state != nullptr ? state->PGroups.Count() : 1;
    for (int i = 1; state != nullptr && i <= groups; ++i) {
        (state->PGroups.Item(i)->DisplayPG ? shown : hidden) += 1;
    }
    enable("mnuPracticeGroupCycle", shown + hidden > 1);
    enable("mnuPracticeGroupHide", shown > 1);
    enable("mnuPracticeGroupReveal", hidden > 0);
    enable("mnuPracticeGroupDelete", groups != 1);
    enable("mnuPracticeGroupDetails", group.is_entity);
    // A copy whose group is gone since has nothing to paste.
    enable("MnuPracticeGroupPaste", program_.Copy_Source_Kind == kSourcePracticeGroup &&
                                        standsInDocument(host.copiedPracticeGroup()));
    host.popupMenu(QStringLiteral("MnuPracticeGroup"));
}

void frmMatrix::btnGroup_MouseMove(int Index) {
    MatrixHost* host = program_.Main_Window;
    const std::optional<CellObject> item = Cell_Object(Index);
    if (host == nullptr || !item) {
        return;
    }
    if (const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&*item)) {
        if (!(*practice)->is_blank) {
            host->SetStatusText(QStringLiteral("Practice: '%1' %2")
                                    .arg(QString::fromStdString((*practice)->Name()),
                                         boolText(btnGroup(Index).Value())));
        }
    } else if (const auto& group = std::get<std::shared_ptr<VRN_PracticeGroup>>(*item);
               !group->is_blank) {
        host->SetStatusText(
            QStringLiteral("Practice Group: '%1'").arg(QString::fromStdString(group->Name())));
    }
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
    const QString text =
        QStringLiteral("Interaction between '%1' and '%2'. Value: '%3'")
            .arg(QString::fromStdString(second->Name()), QString::fromStdString(first->Name()),
                 QString::fromStdString(interaction->Value()));
    Clear_Selection(true, Index);
    const std::int32_t highlight = program_.prefs.HighlightColor;
    for (const auto& practice : {first, second}) {
        if (practice->Display != nullptr) {
            practice->Display->setBackColor(highlight);
        }
    }
    setHoveredInteraction(interaction);
    if (MatrixHost* host = program_.Main_Window) {
        host->SetStatusText(text);
    }
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
