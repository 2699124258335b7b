#pragma once

#include <array>

#include "tests/support/model_doubles/recording_matrix_window.h"

namespace vrn::testing {

// Gives a recording window the program's design where a drawing of the matrix reads it: axis
// title buttons, both legend frames with their labels, and the interaction cells' size. Call it
// after the document was read or built (the cells exist then), and lay the document out again.
inline void DesignLikeTheMatrixWindow(RecordingMatrixWindow& window) {
    constexpr float kInteractionCell = 375;
    constexpr std::array<const char*, 16> kLegend{
        "+",  "Reinforcing", "-", "Interfering", "?",  "Open question",  "+2", "Very important",
        "+1", "Important",   "",  "Not rated",   "-1", "Less important", "-2", "Not important"};
    window.btnExisting().setWidth(2700);
    window.btnExisting().setHeight(300);
    window.btnTarget().setWidth(300);
    window.btnTarget().setHeight(2700);
    if (!window.alternativeNames().empty()) {
        window.btnTarget().setText(window.alternativeNames().back());
    }
    window.frmMatrixInteraction().setText("Interactions");
    window.frmMatrixInteraction().setWidth(2600);
    window.frmMatrixInteraction().setHeight(1250);
    window.frmImportance().setText("Importance");
    window.frmImportance().setWidth(2600);
    window.frmImportance().setHeight(1850);
    for (int i = 0; i < 16; ++i) {
        RecordingControl& label = window.Label1(i);
        const bool symbol = i % 2 == 0;
        label.setText(kLegend[static_cast<std::size_t>(i)]);
        label.setLeft(symbol ? 150 : 600);
        label.setTop(300 + 300 * static_cast<float>((i < 6 ? i : i - 6) / 2));
        label.setWidth(symbol ? 400 : 1900);
        label.setHeight(285);
        label.setVisible(true);
    }
    for (const auto& record : window.interactionCells()) {
        record.control->setWidth(kInteractionCell);
        record.control->setHeight(kInteractionCell);
    }
}

}  // namespace vrn::testing
