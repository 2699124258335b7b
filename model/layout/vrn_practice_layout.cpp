#include <algorithm>

#include "model/layout/control_geometry.h"
#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"

namespace vrn {

void VRN_Practice::Draw(float x, float Y, float& xmax, float& ymax) {
    const auto document = InMatrix.lock();
    if (No_Display || !Display || !document) {
        return;
    }
    const float fontSize = document->VRN_Practice_Font_Size;
    Display->setFontsize(fontSize);
    if (Importance) {
        Importance->setFontsize(fontSize);
    }
    Display->setTop(Y);
    Display->setLeft(x);
    top = Display->top();
    left = Display->left();
    FormatDisplay();

    // A column header shows with the target axis, a row header with the existing one.
    const bool axisShown = document->Context.viewChecked(horizontal ? ViewMark::mnuViewAlternatives
                                                                    : ViewMark::mnuViewExisting);
    if (Importance && document->Context.viewChecked(ViewMark::mnuViewImportance)) {
        if (horizontal) {
            Importance->setLeft(Display->left());
            Importance->setTop(Display->top() + Display->Height());
            Width = Display->Width();
            Height = Display->Height() + Importance->Height();
        } else {
            Importance->setLeft(Display->left() + Display->Width());
            Importance->setTop(Display->top());
            Width = Importance->Width() + Display->Width();
            Height = Display->Height();
        }
        Importance->setVisible(axisShown);
    } else {
        Width = Display->Width();
        Height = Display->Height();
        if (Importance) {
            Importance->setVisible(false);
        }
    }
    xmax = std::max(xmax, left + Width);
    ymax = std::max(ymax, top + Height);
    Display->setVisible(axisShown);
}

void VRN_Practice::MoveBy(float x, float Y) {
    if (Display) {
        ShiftControl(*Display, x, Y);
    }
    if (Importance) {
        ShiftControl(*Importance, x, Y);
    }
}

}  // namespace vrn
