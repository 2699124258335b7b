#include "app/matrixwin/frm_matrix.h"

#include "app/matrixwin/note_box.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

#include <QAction>
#include <QStringList>

#include <algorithm>

// The selection of a matrix window, the hover highlight, and the main window's menus and toolbar
// that follow the active window and what is selected in it.

namespace vrn {

namespace {

// A cell's own colour, or the practice colour for a cell that has none.
template <class Element>
void restoreColor(const Element& element, std::int32_t practiceColor) {
    if (element.Display != nullptr) {
        element.Display->setBackColor(element.color != 0 ? element.color : practiceColor);
    }
}

// Whether `element` (any model element, or none) is shown by `window`.
template <class Element>
bool shownBy(const std::shared_ptr<Element>& element, const MatrixWindow* window) {
    return element != nullptr && element->InForm == window;
}

bool shownBy(const SelectedItem& item, const MatrixWindow* window) {
    return std::visit(
        [window](const auto& element) {
            if constexpr (std::is_same_v<std::decay_t<decltype(element)>, std::monostate>) {
                return false;
            } else {
                return shownBy(element, window);
            }
        },
        item);
}

// The toolbar's font style buttons show the style of the selected practice or group.
void showFontStyle(MatrixHost& host, bool bold, bool italic, bool underline) {
    host.hostToolbarButton(QStringLiteral("Bold")).setChecked(bold);
    host.hostToolbarButton(QStringLiteral("Italic")).setChecked(italic);
    host.hostToolbarButton(QStringLiteral("Underline")).setChecked(underline);
}

// Whether the guided questions of `group` have a question to ask: options made or removed in
// this run count, not only those the file held.
bool asksQuestions(const VRN_PracticeGroup& group) {
    return std::ranges::any_of(group.PracticeParts, [](const auto& practice) {
        return practice != nullptr && practice->OptionGroup != nullptr;
    });
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace

std::optional<QString> frmMatrix::statusTextOf(const StatusSubject& subject) const {
    if (subject.cell > 0) {
        const std::optional<CellObject> item = Cell_Object(subject.cell);
        if (!item) {
            return std::nullopt;
        }
        if (const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&*item)) {
            if ((*practice)->is_blank) {
                return std::nullopt;
            }
            return QStringLiteral("Practice: '%1' %2")
                .arg(QString::fromStdString((*practice)->Name()),
                     boolText(btnGroup(subject.cell).Value()));
        }
        const auto& group = std::get<std::shared_ptr<VRN_PracticeGroup>>(*item);
        if (group->is_blank) {
            return std::nullopt;
        }
        return QStringLiteral("Practice Group: '%1'").arg(QString::fromStdString(group->Name()));
    }
    const auto interaction = Interaction_Object(subject.interaction);
    if (interaction == nullptr || interaction->is_blank) {
        return std::nullopt;
    }
    const auto first = interaction->Practice1.lock();
    const auto second = interaction->practice2.lock();
    if (first == nullptr || second == nullptr) {
        return std::nullopt;
    }
    return QStringLiteral("Interaction between '%1' and '%2'. Value: '%3'")
        .arg(QString::fromStdString(second->Name()), QString::fromStdString(first->Name()),
             QString::fromStdString(interaction->Value()));
}

void frmMatrix::showStatusOf(const StatusSubject& subject) {
    MatrixHost* host = program_.Main_Window;
    const std::optional<QString> text = statusTextOf(subject);
    if (host == nullptr || !text) {
        return;
    }
    statusSubject_ = subject;
    statusShown_ = *text;
    host->SetStatusText(*text);
}

void frmMatrix::refreshStatus() {
    MatrixHost* host = program_.Main_Window;
    // Another window, or another cell, may have spoken since.
    if (host == nullptr || statusShown_.isEmpty() || host->statusText() != statusShown_) {
        return;
    }
    statusShown_ = statusTextOf(statusSubject_).value_or(QString());
    host->SetStatusText(statusShown_);
}

void frmMatrix::Form_MouseMove() {
    if (const auto interaction = hovered_.lock()) {
        program_.Last_Hover_Cross = interaction->IsCross();
    }
    clearHover();
}

void frmMatrix::clearHover() {
    const auto interaction = hovered_.lock();
    hovered_.reset();
    if (interaction == nullptr) {
        return;
    }
    const std::int32_t practiceColor = program_.prefs.PracticeColor;
    if (const auto first = interaction->Practice1.lock()) {
        restoreColor(*first, practiceColor);
    }
    if (const auto second = interaction->practice2.lock()) {
        restoreColor(*second, practiceColor);
    }
}

void frmMatrix::Do_menus() {
    const std::shared_ptr<VRN_Matrix>& document = base();
    program_.Current_Matrix = document;
    MatrixHost* host = program_.Main_Window;
    if (host == nullptr) {
        Clear_Selection(false, 0);
        return;
    }
    host->setActiveEntity(ent_);
    host->hostMenuItem(QStringLiteral("mnuHelpDirections")).setEnabled(true);
    host->setChecked(ViewMark::mnuViewImportance, importance_);
    host->setChecked(ViewMark::mnuViewWeightedSort, Weighted);
    host->setChecked(ViewMark::mnuViewLegend, frmMatrixInteraction_.Visible());
    // Only a drawn document has groups to look at; an unread one must not grow a state here.
    if (groupCellCount() > 0 && document->Existing()->PGroups.Count() >= 1) {
        if (const auto& band = document->Existing()->PGroups.Item(1)->Display) {
            host->setChecked(ViewMark::mnuViewPracticeGroups, band->Visible());
        }
    }
    host->setMnuFileSaveEnabled(!document->locked);
    Clear_Selection(false, 0);
    listAlternatives();
    host->hostMenuItem(QStringLiteral("munFilePrintCaptured")).setEnabled(Frametool_Captured);
}

void frmMatrix::listAlternatives() {
    MatrixHost* host = program_.Main_Window;
    // The menu is the active document's; a window redrawn behind it leaves it alone.
    if (host == nullptr || base_ == nullptr || program_.Current_Matrix != base_) {
        return;
    }
    const VRN_Matrix& document = *base_;
    QStringList alternatives;
    for (int i = 1; i <= document.Alt_count; ++i) {
        alternatives << QString::fromStdString(document.alternative(i)->Name);
    }
    host->listAlternatives(alternatives, document.Alt_i - 1);
    host->hostMenuItem(QStringLiteral("mnuAltDel")).setEnabled(document.Alt_count > 1);
}

void frmMatrix::Show_Practice_Selection(const SelectedItem& item) {
    Clear_Selection(false, 0);
    const std::int32_t highlight = program_.prefs.HighlightColor;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::visit(
        [&](const auto& element) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(element)>, std::monostate>) {
                if (element == nullptr) {
                    return;
                }
                if (element->Display != nullptr) {
                    element->Display->setBackColor(highlight);
                }
                bold = element->fontbold();
                italic = element->FontItalic();
                underline = element->FontUnderlined();
            }
        },
        item);
    program_.Current_Item = item;
    MatrixHost* host = program_.Main_Window;
    if (host == nullptr) {
        return;
    }
    showFontStyle(*host, bold, italic, underline);
    const auto enable = [host](const char* name, bool enabled) {
        host->hostMenuItem(QLatin1String(name)).setEnabled(enabled);
    };
    if (const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&item);
        practice != nullptr && *practice != nullptr) {
        enable("mnuActionAddGroup", false);
        enable("mnuActionAddPractice", true);
        enable("mnuActionDeleteGroup", false);
        enable("mnuActionDeletePractice", true);
        const bool hasOptions = (*practice)->OptionGroup != nullptr;
        host->hostMenuItem(QStringLiteral("mnuPracticeDetails")).setVisible(!hasOptions);
        host->hostMenuItem(QStringLiteral("mnuPracticeOptions")).setVisible(hasOptions);
    } else if (const auto* group = std::get_if<std::shared_ptr<VRN_PracticeGroup>>(&item);
               group != nullptr && *group != nullptr) {
        enable("mnuActionAddGroup", true);
        enable("mnuActionAddPractice", false);
        enable("mnuActionDeleteGroup", true);
        enable("mnuActionDeletePractice", false);
        enable("mnuPracticeGroupDialogue", asksQuestions(**group));
    } else {
        for (const char* name : {"mnuActionAddGroup", "mnuActionAddPractice",
                                 "mnuActionDeleteGroup", "mnuActionDeletePractice"}) {
            enable(name, false);
        }
    }
}

void frmMatrix::Clear_Selection(bool keep, int box) {
    if (!keep) {
        noteBox_->hide();
    } else if (noteBox_->isVisible()) {
        bool numeric = false;
        const int tag = noteBox_->Tag.toInt(&numeric);
        if (!numeric || tag != box) {
            noteBox_->hide();
        }
    }
    clearHover();
    const std::int32_t practiceColor = program_.prefs.PracticeColor;
    if (shownBy(program_.Current_Item, this)) {
        std::visit(
            [practiceColor](const auto& element) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(element)>, std::monostate>) {
                    restoreColor(*element, practiceColor);
                }
            },
            program_.Current_Item);
    }
    program_.Current_Item = std::monostate{};
    MatrixHost* host = program_.Main_Window;
    if (host == nullptr) {
        return;
    }
    showFontStyle(*host, false, false, false);
    for (const char* name : {"mnuActionAddGroup", "mnuActionAddPractice", "mnuActionDeleteGroup",
                             "mnuActionDeletePractice"}) {
        host->hostMenuItem(QLatin1String(name)).setEnabled(false);
    }
}

void frmMatrix::letGoOfSelection() {
    // What the program holds of this window's elements would outlive the window.
    if (shownBy(program_.Current_Item, this)) {
        program_.Current_Item = std::monostate{};
    }
    if (shownBy(program_.Current_Interaction, this)) {
        program_.Current_Interaction = nullptr;
    }
    if (MatrixHost* host = program_.Main_Window) {
        if (shownBy(host->draggedPractice(), this)) {
            host->draggedPractice() = nullptr;
        }
        if (shownBy(host->draggedPracticeGroup(), this)) {
            host->draggedPracticeGroup() = nullptr;
        }
    }
    const auto* matrix = std::get_if<std::shared_ptr<VRN_Matrix>>(&program_.Directions_Object);
    const auto* state = std::get_if<std::shared_ptr<VRN_State>>(&program_.Directions_Object);
    if ((matrix != nullptr && *matrix == base_) ||
        (state != nullptr && *state != nullptr && (*state)->InForm == this)) {
        program_.Directions_Object = std::monostate{};
    }
}

}  // namespace vrn
