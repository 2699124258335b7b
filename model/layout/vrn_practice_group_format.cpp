#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"

namespace vrn {

void VRN_PracticeGroup::FormatDisplay() {
    const auto document = InMatrix.lock();
    if (No_Display || !document) {
        return;
    }
    if (Display) {
        // A row band stands on its side: its width is the group height and its text is turned.
        if (horizontal_) {
            Display->setWidth(document->VRN_PracticeGrpWidth);
            Display->setHeight(document->VRN_PracticeGrpHeight);
            Display->setCellOrientation(0);
        } else {
            Display->setWidth(document->VRN_PracticeGrpHeight);
            Display->setHeight(document->VRN_PracticeGrpWidth);
            Display->setCellOrientation(3);
        }
    }
    for (const auto& practice : PracticeParts) {
        practice->FormatDisplay();
    }
    if (Display) {
        const std::int32_t entityColor =
            entity_type == 1 ? document->VRN_ActivityColor : document->VRN_EntityColor;
        Display->setBackColor(is_blank    ? document->Vrn_BlankColor
                              : is_entity ? entityColor
                                          : document->VRN_PracticeColor);
    }
}

}  // namespace vrn
