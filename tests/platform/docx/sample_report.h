#pragma once

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/support/model_doubles/scripted_messages.h"

namespace vrn::testing {

// The sample matrix read by the model's file reader, with every report choice on, as a user
// leaves them, and a description and note on the first two interactions of the first existing
// practice that have a value, so that the report shows highlighted interactions.
struct SampleReport {
    ScriptedMessages messages;
    std::shared_ptr<VRN_Matrix> matrix = std::make_shared<VRN_Matrix>();

    SampleReport() {
        std::ifstream in(VRN_SAMPLE_MATRIX, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        std::stringbuf source(bytes.str());
        bool directions = false;
        matrix->No_Display = true;
        matrix->Read(source, "sample.vrn", nullptr, directions, {nullptr, true, &messages});
        for (std::int16_t* flag :
             {&matrix->rpt_MatrixImage, &matrix->rpt_MatrixDescription,
              &matrix->rpt_MatrixAttribution, &matrix->rpt_CurrentPracticeDescriptions,
              &matrix->rpt_TargetPracticeDescriptions, &matrix->rpt_IncludeHiddenAlternatives,
              &matrix->rpt_CurrentPracticeInteractions, &matrix->rpt_TargetPracticeInteractions,
              &matrix->rpt_InteractionDescriptions, &matrix->rpt_CurrentPractices}) {
            *flag = -1;
        }
        const auto practice = matrix->Existing()->PGroups.Item(1)->PracticeParts.Item(1);
        int described = 0;
        for (const auto& interaction : practice->Interactions) {
            if (described < 2 && !interaction->Value().empty() && interaction->Value() != " ") {
                ++described;
                interaction->setDescription(described == 1 ? "Budgets & targets <agree>"
                                                           : "Reviews follow the budget");
                interaction->setNote("note " + std::to_string(described));
            }
        }
    }
};

}  // namespace vrn::testing
