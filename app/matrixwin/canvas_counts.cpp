#include "app/matrixwin/canvas_counts.h"

#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

bool shown(const std::shared_ptr<CellControl>& cell) {
    return cell != nullptr && cell->Visible() && cell->Width() > 0 && cell->Height() > 0;
}

bool shown(const std::shared_ptr<InteractionLabel>& label) {
    return label != nullptr && label->Visible() && label->Width() > 0 && label->Height() > 0;
}

void countInteractions(const Collection<VRN_MatrixInteraction>& interactions, int& count) {
    for (const auto& interaction : interactions) {
        count += shown(interaction->Display) ? 1 : 0;
    }
}

void countState(VRN_State& state, CanvasCounts& counts) {
    for (const auto& group : state.PGroups) {
        counts.cells += shown(group->Display) ? 1 : 0;
        for (const auto& practice : group->PracticeParts) {
            counts.cells +=
                (shown(practice->Display) ? 1 : 0) + (shown(practice->Importance) ? 1 : 0);
        }
    }
    countInteractions(state.Interactions, counts.interactionCells);
    for (const auto& line : state.Lines) {
        counts.lines += line->Visible() ? 1 : 0;
    }
}

}  // namespace

CanvasCounts shownByDocument(VRN_Matrix& document) {
    CanvasCounts counts;
    countState(*document.Existing(), counts);
    for (const auto& alternative : document.Alternatives_col) {
        countState(*alternative, counts);
    }
    countInteractions(document.Interactions, counts.interactionCells);
    for (const auto& line : document.Lines) {
        counts.lines += line->Visible() ? 1 : 0;
    }
    return counts;
}

}  // namespace vrn
