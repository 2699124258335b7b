#include "bench/support/large_document.h"

#include <string>

#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn::bench {

namespace {

// Gives a state `groups` groups of `perGroup` practices, starting from the default group of
// three that every new state has.
void Fill(VRN_State& state, int groups, int perGroup, const std::string& stem) {
    auto group = state.PGroups.Item(1);
    for (int g = 1; g <= groups; ++g) {
        if (g > 1) {
            group = group->AddNewPracticeGroup(stem + " group " + std::to_string(g));
        } else {
            group->setName(stem + " group 1");
        }
        while (group->PracticeParts.Count() > perGroup && group->PracticeParts.Count() > 1) {
            group->PracticeParts.Item(group->PracticeParts.Count())->Delete();
        }
        while (group->PracticeParts.Count() < perGroup) {
            group->PracticeParts.Item(group->PracticeParts.Count())->AddNewPractice({});
        }
        int p = 1;
        for (const auto& practice : group->PracticeParts) {
            practice->setName(stem + " practice " + std::to_string(g) + "." + std::to_string(p++));
        }
    }
}

void MarkValues(const Collection<VRN_MatrixInteraction>& interactions, std::int64_t& counter) {
    static const char* const kValues[] = {"+", "", "-", "", "?", "", "", ""};
    for (const auto& interaction : interactions) {
        const std::int64_t n = counter++;
        const char* value = kValues[(n * 7) % 8];
        if (*value != '\0') {
            interaction->setValue(value);
        }
        if (n % 97 == 0) {
            interaction->setNote("Reinforcing Interaction");
            interaction->setDescription("Both practices serve the same customers.");
        }
    }
}

void MarkImportance(VRN_State& state) {
    static const char* const kImportance[] = {"+2", "+1", "", "-1", "-2"};
    int n = 0;
    for (const auto& practice : state.Practices) {
        const char* importance = kImportance[n++ % 5];
        if (practice->Importance) {
            practice->Importance->setText(importance);
        } else {
            practice->Importance_value = importance;
        }
    }
}

}  // namespace

LargeDocument BuildLargeDocument(const LargeDocumentShape& shape) {
    LargeDocument built;
    built.window = std::make_unique<testing::RecordingMatrixWindow>();
    built.mainView = std::make_unique<testing::RecordingMainView>();
    built.messages = std::make_unique<testing::ScriptedMessages>();
    built.matrix = std::make_shared<VRN_Matrix>();

    VRN_Matrix& matrix = *built.matrix;
    MatrixWindow* window = shape.window != nullptr ? shape.window : built.window.get();
    matrix.CreateNew({built.mainView.get(), true, built.messages.get()},
                     shape.withWindow ? window : nullptr, !shape.withWindow);
    matrix.VRN_PracticeGrpHeight = 600;
    matrix.VRN_PracticeGrpWidth = 2300;
    matrix.VRN_PracticeHeight = 600;
    matrix.VRN_PracticeWidth = 2700;
    matrix.VRN_Practice_Font_Size = 10;
    matrix.VRN_PracticeColor = 0xC0C0C0;
    matrix.VRN_InteractionColor = 0xFFFFFF;
    matrix.CreateInit(static_cast<std::int16_t>(shape.alternatives));

    Fill(*matrix.Existing(), shape.existingGroups, shape.existingPracticesPerGroup, "Existing");
    for (int i = 1; i <= shape.alternatives; ++i) {
        Fill(*matrix.alternative(i), shape.alternativeGroups, shape.alternativePracticesPerGroup,
             "Alternative " + std::to_string(i));
    }

    std::int64_t counter = 0;
    MarkValues(matrix.Existing()->Interactions, counter);
    MarkImportance(*matrix.Existing());
    for (const auto& alternative : matrix.Alternatives_col) {
        MarkValues(alternative->Interactions, counter);
        MarkImportance(*alternative);
    }
    MarkValues(matrix.Interactions, counter);
    return built;
}

std::int64_t InteractionCount(const LargeDocumentShape& shape) {
    const std::int64_t existing =
        std::int64_t{shape.existingGroups} * shape.existingPracticesPerGroup;
    const std::int64_t target =
        std::int64_t{shape.alternativeGroups} * shape.alternativePracticesPerGroup;
    const auto pairs = [](std::int64_t n) { return n * (n - 1) / 2; };
    return pairs(existing) + shape.alternatives * (pairs(target) + existing * target);
}

std::int64_t CountInteractions(VRN_Matrix& document) {
    std::int64_t count = document.Interactions.Count() + document.Existing()->Interactions.Count();
    for (const auto& alternative : document.Alternatives_col) {
        count += alternative->Interactions.Count();
    }
    return count;
}

}  // namespace vrn::bench
