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

// One direction on the window: a control's start along it, and its length.
struct Axis {
    float (WindowControl::*start)() const;
    void (WindowControl::*setStart)(float);
    float (WindowControl::*length)() const;
};
constexpr Axis kAcross{&WindowControl::left, &WindowControl::setLeft, &WindowControl::Width};
constexpr Axis kDown{&WindowControl::top, &WindowControl::setTop, &WindowControl::Height};

float Start(const WindowControl& control, Axis axis) {
    return (control.*axis.start)();
}
float Length(const WindowControl& control, Axis axis) {
    return (control.*axis.length)();
}
float Middle(const WindowControl& control, Axis axis) {
    return Start(control, axis) + Length(control, axis) / 2.0f;
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
                     const VRN_Practice& first, const VRN_Practice& second, AxesShown axes) {
    if (!BandOn(first, true) || !BandOn(second, true) || !first.Display || !second.Display) {
        return kHidden;
    }
    const bool visible = axes.existing && axes.alternatives;
    const WindowControl& column = first.horizontal ? *first.Display : *second.Display;
    const WindowControl& row = first.horizontal ? *second.Display : *first.Display;
    InteractionLabel& cell = *interaction.Display;
    cell.setHeight(document.VRN_InteractionHeight);
    cell.setWidth(document.VRN_InteractionHeight);
    cell.setLeft(Middle(column, kAcross) - document.half_VRN_InteractionHeight);
    cell.setTop(Middle(row, kDown) - document.half_VRN_InteractionHeight);
    if (interaction.is_blank) {
        cell.setBackColor(document.User_BlankColor);
    } else if (interaction.color != 0) {
        cell.setBackColor(interaction.color);
    }
    cell.setBackStyle(1);
    return visible;
}

// Puts the cell on the line midway between its two practices (`along` the band) and half their
// distance out from the band, or from the first practice's cell when the band is hidden, so
// that the state's cells form a triangle.
void PlaceInTriangle(InteractionLabel& cell, const VRN_Practice& first, const VRN_Practice& second,
                     Axis along, Axis out) {
    // The practice nearer the band's start; the second one when both lie level.
    const bool firstIsNearer = Start(*first.Display, along) < Start(*second.Display, along);
    const float c1 = Middle(firstIsNearer ? *first.Display : *second.Display, along);
    const float c2 = Middle(firstIsNearer ? *second.Display : *first.Display, along);
    const float mid = (c1 + c2) / 2.0f;
    (cell.*along.setStart)(mid - Length(cell, along) / 2.0f);
    const float d = mid - c1;
    const auto band = first.group()->Display;
    const WindowControl& edge = band && band->Visible() ? *band : *first.Display;
    (cell.*out.setStart)(Start(edge, out) - d - Length(cell, out) / 2.0f);
}

// Rows of the existing state get their triangle left of the band, columns of a target state
// above it.
Placement PlaceWithinState(VRN_MatrixInteraction& interaction, const VRN_Matrix& document,
                           const VRN_Practice& first, const VRN_Practice& second, AxesShown axes) {
    InteractionLabel& cell = *interaction.Display;
    cell.setBackStyle(0);
    const bool rows = !first.horizontal;
    if (rows && interaction.is_blank) {
        cell.setBackStyle(1);
        cell.setBackColor(document.User_BlankColor);
    }
    if (!BandOn(first, !rows) || !BandOn(second, !rows) || !first.Display || !second.Display) {
        return kHidden;
    }
    PlaceInTriangle(cell, first, second, rows ? kDown : kAcross, rows ? kAcross : kDown);
    return rows ? axes.existing : axes.alternatives;
}

}  // namespace

AxesShown AxesShown::Of(const VRN_Matrix& document) {
    return {.existing = document.Context.viewChecked(ViewMark::mnuViewExisting),
            .alternatives = document.Context.viewChecked(ViewMark::mnuViewAlternatives)};
}

void VRN_MatrixInteraction::Draw() {
    if (No_Display || !Display) {
        return;
    }
    if (const auto document = InMatrix.lock()) {
        DrawIn(*document, AxesShown::Of(*document));
    } else {
        Display->setVisible(false);
    }
}

void VRN_MatrixInteraction::DrawIn(const VRN_Matrix& document, AxesShown axes) {
    if (No_Display || !Display) {
        return;
    }
    const auto first = Practice1.lock();
    const auto second = practice2.lock();
    Placement placement = kHidden;
    if (first && second) {
        placement = IsCross() ? PlaceCross(*this, document, *first, *second, axes)
                              : PlaceWithinState(*this, document, *first, *second, axes);
    }
    if (!placement) {
        Display->setVisible(false);
        return;
    }
    Display->setFontsize(CaptionFontSize(is_blank, document.VRN_Practice_Font_Size));
    Display->setVisible(*placement);
}

void VRN_MatrixInteraction::MoveBy(float x, float Y) {
    // A hidden cell is placed afresh by the Draw that shows it again, so scrolling skips it:
    // most cross interactions belong to alternatives that are not on screen.
    if (Display && Display->Visible()) {
        ShiftControl(*Display, x, Y);
    }
}

}  // namespace vrn
