#pragma once

#include <cstdint>

#include "model/interfaces/check_box_control.h"
#include "model/interfaces/line_control.h"
#include "model/interfaces/window_control.h"

namespace vrn {

// The matrix window's own controls and properties that the layout sets and the reports read.
// The window owns them; references stay valid while the window lives.
class MatrixWindowControls {
public:
    virtual ~MatrixWindowControls() = default;

    // The window itself, in twips; a file sets and stores its size.
    virtual float Height() const = 0;
    virtual void setHeight(float value) = 0;
    virtual float Width() const = 0;
    virtual void setWidth(float value) = 0;
    virtual std::int32_t BackColor() const = 0;
    virtual void setBackColor(std::int32_t value) = 0;
    // Importance boxes shown; the layout writes it, the window copies it to the View menu.
    virtual bool Importance() const = 0;
    virtual void setImportance(bool value) = 0;

    // Axis title buttons, the alternative steppers and counter, sort and show-groups buttons.
    virtual WindowControl& btnExisting() = 0;
    virtual WindowControl& btnTarget() = 0;
    virtual WindowControl& btnUpAlt() = 0;
    virtual WindowControl& btnDownAlt() = 0;
    virtual WindowControl& LblAltNum() = 0;
    virtual WindowControl& btnSortDown() = 0;
    virtual WindowControl& btnSortRight() = 0;
    virtual WindowControl& btnShowHorPGs() = 0;
    virtual WindowControl& btnSHowPGs() = 0;
    // The two alternative-stack lines, index 0 and 1.
    virtual LineControl& ThickLines(int index) = 0;

    // Description frame, legends, attribution block and footer.
    virtual WindowControl& FrameDescription() = 0;
    virtual WindowControl& txtDescription() = 0;
    virtual WindowControl& frmMatrixInteraction() = 0;
    virtual WindowControl& frmImportance() = 0;
    // The legend labels: 0 to 5 inside frmMatrixInteraction, 6 to 15 inside frmImportance,
    // placed relative to their frame.
    virtual WindowControl& Label1(int index) = 0;
    virtual WindowControl& frameAttribution() = 0;
    virtual WindowControl& txtAuthors() = 0;
    virtual WindowControl& txtAssignment() = 0;
    virtual WindowControl& txtReview() = 0;
    virtual WindowControl& txtSources() = 0;
    virtual WindowControl& txtDocumentation() = 0;
    virtual WindowControl& txtFooter() = 0;
    virtual WindowControl& lblModifiedWhen() = 0;
    virtual WindowControl& lblFooter() = 0;
    virtual CheckBoxControl& chkLock() = 0;
    // The rich text box of the plain-text report.
    virtual WindowControl& RichTextBox() = 0;
};

}  // namespace vrn
