#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"

namespace vrn {

void VRN_Practice::FormatDisplay() {
    const auto document = InMatrix.lock();
    if (No_Display || !document) {
        return;
    }
    if (Display) {
        // A column header stands on end, its text along the long side.
        if (horizontal) {
            Display->setWidth(document->VRN_PracticeHeight);
            Display->setHeight(document->VRN_PracticeWidth);
            Display->setCellOrientation(3);
        } else {
            Display->setWidth(document->VRN_PracticeWidth);
            Display->setHeight(document->VRN_PracticeHeight);
            Display->setCellOrientation(0);
        }
    }
    if (Importance) {
        Importance->setWidth(document->VRN_PracticeHeight);
        Importance->setHeight(document->VRN_PracticeHeight);
    }
    if (Display) {
        Display->setBackColor(is_blank     ? document->Vrn_BlankColor
                              : color != 0 ? color
                                           : document->VRN_PracticeColor);
    }
}

}  // namespace vrn
