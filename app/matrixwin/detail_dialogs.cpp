#include "app/matrixwin/detail_dialogs.h"

#include "app/matrixwin/frm_interaction_details.h"
#include "app/matrixwin/frm_oval_dialogue.h"
#include "app/matrixwin/frm_practice_details.h"
#include "app/matrixwin/frm_practice_options.h"
#include "app/matrixwin/vrn_main.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"

namespace vrn {

void ShowInteractionDetails(DetailDialogServices services, VRN_MatrixInteraction& interaction,
                            QWidget* parent) {
    FrmInteractionDetails dialog(services, interaction, parent);
    dialog.exec();
}

void ShowPracticeDetails(DetailDialogServices services, VRN_Practice& practice, QWidget* parent) {
    services.program.Current_Item = practice.shared_from_this();
    FrmPracticeDetails dialog(services, practice, parent);
    dialog.exec();
}

void ShowPracticeOptions(DetailDialogServices services, VRN_Practice& practice, QWidget* parent) {
    services.program.Current_Item = practice.shared_from_this();
    FrmPracticeOptions dialog(
        services, practice,
        [&practice](const std::string& name, const std::string& description,
                    const std::string& discussion, std::int32_t color) {
            practice.setName(name);
            practice.setDescription(description);
            practice.Discussion = discussion;
            practice.color = color;
        },
        parent);
    dialog.exec();
}

void ShowGuidedQuestions(DetailDialogServices services, VRN_PracticeGroup& group, QWidget* parent) {
    FrmOvalDialogue dialog(services, parent);
    dialog.Load_Data(group.shared_from_this());
    dialog.exec();
}

}  // namespace vrn
