#pragma once

#include <memory>
#include <string>

#include "model/interfaces/cell_control.h"
#include "model/interfaces/cell_object.h"
#include "model/interfaces/interaction_label.h"
#include "model/interfaces/line_control.h"

namespace vrn {

// What the model asks of the matrix window while it builds and draws a document. Every control
// handed out starts hidden; the model places, styles and shows it. Handed-out controls are shared:
// an element keeps its control after the window has forgotten it, so a control must stay safe to
// use (if no longer shown) for as long as anyone holds it.
class MatrixWindowCallbacks {
public:
    virtual ~MatrixWindowCallbacks() = default;

    // A new cell for a practice group's band, a practice's cell or a practice's importance box.
    // The window remembers `obj` so that a press on the cell finds the element behind it.
    virtual std::shared_ptr<CellControl> CreatePracticeGroup(bool horizontal, CellObject obj) = 0;
    // A new interaction cell; the window remembers the interaction behind it.
    virtual std::shared_ptr<InteractionLabel> CreateInteract(
        const std::shared_ptr<VRN_MatrixInteraction>& interaction) = 0;
    // A new grid line.
    virtual std::shared_ptr<LineControl> CreateLine() = 0;

    // Hides every cell, interaction cell and line handed out so far, both sort buttons and both
    // ThickLines; a layout then shows what it places.
    virtual void HideObjDisplays() = 0;
    // The drawing's extent for the scroll bars. Negative xmax or ymax are made positive in the
    // caller's variables too.
    virtual void SetScrollbars(float X, float& xmax, float Y, float& ymax) = 0;
    // Shows the active alternative's name on the target axis button.
    virtual void alternative_name(const std::string& alt_name) = 0;
};

}  // namespace vrn
