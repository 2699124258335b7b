#include "app/matrixwin/detail_dialogs.h"

// Stand-ins until the detail dialogs are in: each closes at once and changes nothing.

namespace vrn {

void ShowInteractionDetails(DetailDialogServices, VRN_MatrixInteraction&, QWidget*) {}
void ShowPracticeDetails(DetailDialogServices, VRN_Practice&, QWidget*) {}
void ShowPracticeOptions(DetailDialogServices, VRN_Practice&, QWidget*) {}
void ShowGuidedQuestions(DetailDialogServices, VRN_PracticeGroup&, QWidget*) {}

}  // namespace vrn
