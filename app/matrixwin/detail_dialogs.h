#pragma once

#include "model/model_fwd.h"

class QWidget;

namespace vrn {

class Prompt;
class ProgramStarter;
struct VrnMain;

// What the detail dialogs need of the program: its state, its questions to the user and the
// starter that opens links. The matrix window hands in its own.
struct DetailDialogServices {
    VrnMain& program;
    Prompt& prompt;
    ProgramStarter& starter;
};

// The modal detail dialogs the matrix window and the main window's commands open. Each returns
// once its dialog has closed; every edit has then reached the model.

// "Interaction Details" for one interaction.
void ShowInteractionDetails(DetailDialogServices services, VRN_MatrixInteraction& interaction,
                            QWidget* parent);
// The practice's details, for a practice without an option group.
void ShowPracticeDetails(DetailDialogServices services, VRN_Practice& practice, QWidget* parent);
// "Practice Options", the option group editor of a practice; OK writes the chosen option into
// the practice.
void ShowPracticeOptions(DetailDialogServices services, VRN_Practice& practice, QWidget* parent);
// The guided option questions for the practices of one group.
void ShowGuidedQuestions(DetailDialogServices services, VRN_PracticeGroup& group, QWidget* parent);

}  // namespace vrn
