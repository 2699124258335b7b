#include <optional>

#include "model/layout/control_geometry.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

// What Draw decides: the cell's visibility, or nothing when it is hidden without further ado.
using Placement = std::optional<bool>;
constexpr Placement kHidden = std::nullopt;

// A practice's cells are on show when its band is switched on and, where it matters, its state
// is the one drawn.
bool BandOn(const VRN_Practice& practice, bool stateMustBeActive) {
    const auto group = practice.group();
    if (!group || !group->DisplayPG) {
        return false;
    }
    if (!stateMustBeActive) {
        return true;
    }
    const auto state = group->partOf.lock();
    return state && state->Active;
}

float MiddleY(const WindowControl& cell) {
    return cell.top() + cell.Height() / 2.0f;
}
float MiddleX(const WindowControl& cell) {
    return cell.left() + cell.Width() / 2.0f;
}

// The caption is larger than the practice font so that the sign reads; a blank cell keeps it.
float CaptionFontSize(bool blank, float practiceFontSize) {
    if (blank) {
        return practiceFontSize;
    }
    if (practiceFontSize < 10) {
        return 16;
    }
    return practiceFontSize < 12 ? practiceFontSize + 8 : practiceFontSize + 6;
}

// A square where the existing practice's row meets the target practice's column.
Placement PlaceCross(VRN_MatrixInteraction& interaction, const VRN_Matrix& document,
                     const VRN_Practice& first, const VRN_Practice& second) {
    if (!BandOn(first, true) || !BandOn(second, true) || !first.Display || !second.Display) {
        return kHidden;
    }
    const bool visible = document.Context.viewChecked(ViewMark::mnuViewExisting) &&
                         document.Context.viewChecked(ViewMark::mnuViewAlternatives);
    const WindowControl& column = first.horizontal ? *first.Display : *second.Display;
    const WindowControl& row = first.horizontal ? *second.Display : *first.Display;
    InteractionLabel& cell = *interaction.Display;
    cell.setHeight(document.VRN_InteractionHeight);
    cell.setWidth(document.VRN_InteractionHeight);
    cell.setLeft(MiddleX(column) - document.half_VRN_InteractionHeight);
    cell.setTop(MiddleY(row) - document.half_VRN_InteractionHeight);
    if (interaction.is_blank) {
        cell.setBackColor(document.User_BlankColor);
    } else if (interaction.color != 0) {
        cell.setBackColor(interaction.color);
    }
    cell.setBackStyle(1);
    return visible;
}

// Within a state the cell sits on the line midway between its two practices, half their
// distance out from the band, so that the state's cells form a triangle under its roof.
Placement PlaceWithinState(VRN_MatrixInteraction& interaction, const VRN_Matrix& document,
                           const VRN_Practice& first, const VRN_Practice& second) {
    InteractionLabel& cell = *interaction.Display;
    cell.setBackStyle(0);
    if (!first.horizontal) {
        if (interaction.is_blank) {
            cell.setBackStyle(1);
            cell.setBackColor(document.User_BlankColor);
        }
        if (!BandOn(first, false) || !BandOn(second, false) || !first.Display || !second.Display) {
            return kHidden;
        }
        // The upper practice; the second one when both lie level.
        const bool firstIsUpper = first.Display->top() < second.Display->top();
        const float c1 = MiddleY(firstIsUpper ? *first.Display : *second.Display);
        const float c2 = MiddleY(firstIsUpper ? *second.Display : *first.Display);
        const float mid = (c1 + c2) / 2.0f;
        cell.setTop(mid - cell.Height() / 2.0f);
        const float d = mid - c1;
        const auto band = first.group()->Display;
        const float edge = band && band->Visible() ? band->left() : first.Display->left();
        cell.setLeft(edge - d - cell.Width() / 2.0f);
        return document.Context.viewChecked(ViewMark::mnuViewExisting);
    }

    if (!BandOn(first, true) || !BandOn(second, true) || !first.Display || !second.Display) {
        return kHidden;
    }
    const bool visible = document.Context.viewChecked(ViewMark::mnuViewAlternatives);
    // The practice further left; the second one when both lie level.
    const bool firstIsLeft = first.Display->left() < second.Display->left();
    const float c1 = MiddleX(firstIsLeft ? *first.Display : *second.Display);
    const float c2 = MiddleX(firstIsLeft ? *second.Display : *first.Display);
    const float mid = (c1 + c2) / 2.0f;
    cell.setLeft(mid - cell.Width() / 2.0f);
    const float d = mid - c1;
    const auto band = first.group()->Display;
    const float edge = band && band->Visible() ? band->top() : first.Display->top();
    cell.setTop(edge - d - cell.Height() / 2.0f);
    return visible;
}

}  // namespace

void VRN_MatrixInteraction::Draw() {
    if (No_Display || !Display) {
        return;
    }
    const auto document = InMatrix.lock();
    const auto first = Practice1.lock();
    const auto second = practice2.lock();
    Placement placement = kHidden;
    if (document && first && second) {
        placement = IsCross() ? PlaceCross(*this, *document, *first, *second)
                              : PlaceWithinState(*this, *document, *first, *second);
    }
    if (!placement) {
        Display->setVisible(false);
        return;
    }
    Display->setFontsize(CaptionFontSize(is_blank, document->VRN_Practice_Font_Size));
    Display->setVisible(*placement);
}

void VRN_MatrixInteraction::MoveBy(float x, float Y) {
    if (Display) {
        ShiftControl(*Display, x, Y);
    }
}

}  // namespace vrn
