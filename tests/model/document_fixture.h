#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/support/model_doubles/recording_main_view.h"
#include "tests/support/model_doubles/recording_matrix_window.h"
#include "tests/support/model_doubles/scripted_messages.h"

namespace vrn::testing {

// A document on a recording window, with the sizes and colours a user's preferences give it.
class DocumentFixture : public ::testing::Test {
protected:
    static constexpr std::int32_t kPracticeColor = 0xC0C0C0;
    static constexpr std::int32_t kInteractionColor = 0xFFFFF0;
    static constexpr std::int32_t kBlankColor = 0x808080;
    static constexpr std::int32_t kOptionsColor = 0x00FFFF;

    // A new document as the window makes one: CreateNew, preferences, CreateInit.
    std::shared_ptr<VRN_Matrix> NewDocument(std::int16_t alternatives = 1, bool noDisplay = false) {
        auto document = std::make_shared<VRN_Matrix>();
        document->CreateNew(context(), noDisplay ? nullptr : &window, noDisplay);
        document->VRN_PracticeGrpHeight = 600;
        document->VRN_PracticeGrpWidth = 2300;
        document->VRN_PracticeHeight = 600;
        document->VRN_PracticeWidth = 2700;
        document->VRN_Practice_Font_Size = 10;
        document->VRN_PracticeColor = kPracticeColor;
        document->VRN_InteractionColor = kInteractionColor;
        document->Vrn_BlankColor = kBlankColor;
        document->User_BlankColor = kBlankColor;
        document->User_PracticeOptionsColor = kOptionsColor;
        document->CreateInit(alternatives);
        return document;
    }

    ComponentContext context() { return {&mainView, true, &messages}; }

    RecordingMatrixWindow window;
    RecordingMainView mainView;
    ScriptedMessages messages;
};

template <class Element>
std::vector<std::string> NamesOf(const Collection<Element>& elements) {
    std::vector<std::string> names;
    for (const auto& element : elements) {
        names.push_back(element->Name());
    }
    return names;
}

// Whether `interaction` links `a` and `b`, in either order.
inline bool Links(const VRN_MatrixInteraction& interaction, const VRN_Practice& a,
                  const VRN_Practice& b) {
    const auto first = interaction.Practice1.lock().get();
    const auto second = interaction.practice2.lock().get();
    return (first == &a && second == &b) || (first == &b && second == &a);
}

// The interactions of `list` that link `a` and `b`.
inline int CountLinks(const Collection<VRN_MatrixInteraction>& list, const VRN_Practice& a,
                      const VRN_Practice& b) {
    int count = 0;
    for (const auto& interaction : list) {
        count += Links(*interaction, a, b) ? 1 : 0;
    }
    return count;
}

}  // namespace vrn::testing
