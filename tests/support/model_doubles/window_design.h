#pragma once

#include <cstddef>
#include <string>

#include "model/layout/legend_design.h"
#include "tests/support/model_doubles/recording_matrix_window.h"

namespace vrn::testing {

// Gives a recording window the program's design where a drawing of the matrix reads it: axis
// title buttons, both legend frames with their labels, and the interaction cells' size. Call it
// after the document was read or built (the cells exist then), and lay the document out again.
inline void DesignLikeTheMatrixWindow(RecordingMatrixWindow& window) {
    constexpr float kInteractionCell = 375;
    window.btnExisting().setWidth(2700);
    window.btnExisting().setHeight(300);
    window.btnTarget().setWidth(300);
    window.btnTarget().setHeight(2700);
    if (!window.alternativeNames().empty()) {
        window.btnTarget().setText(window.alternativeNames().back());
    }
    window.frmMatrixInteraction().setText("Interactions");
    window.frmMatrixInteraction().setWidth(layout::kLegendFrameWidth);
    window.frmMatrixInteraction().setHeight(layout::kInteractionLegendHeight);
    window.frmImportance().setText("Importance");
    window.frmImportance().setWidth(layout::kLegendFrameWidth);
    window.frmImportance().setHeight(layout::kImportanceLegendHeight);
    const auto legend = layout::legendLabels();
    for (std::size_t i = 0; i < legend.size(); ++i) {
        RecordingControl& label = window.Label1(static_cast<int>(i));
        label.setText(std::string(legend[i].text));
        label.setLeft(legend[i].left);
        label.setTop(legend[i].top);
        label.setWidth(legend[i].width);
        label.setHeight(legend[i].height);
        label.setVisible(true);
    }
    for (const auto& record : window.interactionCells()) {
        record.control->setWidth(kInteractionCell);
        record.control->setHeight(kInteractionCell);
    }
}

}  // namespace vrn::testing
