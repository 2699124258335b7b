#pragma once

#include <memory>
#include <string>

#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/model/document_fixture.h"

namespace vrn::testing {

// A small document without a window for the report tests: the existing state "Now" with the
// group "Ops" and the practices E1, E2, E3; alternatives "Alt 1", "Alt 2", ... each with the
// group "Plan i" and the practices Ti.1 to Ti.3. Every interaction starts with the value "".
class ReportFixture : public DocumentFixture {
protected:
    std::shared_ptr<VRN_Matrix> ReportDocument(std::int16_t alternatives = 1) {
        auto document = NewDocument(alternatives, true);
        document->title = "Lean";
        document->Name = "Plant";
        document->footer = "foot";
        const auto& existing = document->Existing();
        existing->Name = "Now";
        nameGroup(*existing->PGroups.Item(1), "Ops", "E");
        for (int i = 1; i <= document->Alt_count; ++i) {
            const auto& alternative = document->Alternatives_col.Item(i);
            alternative->Name = "Alt " + std::to_string(i);
            nameGroup(*alternative->PGroups.Item(1), "Plan " + std::to_string(i),
                      "T" + std::to_string(i) + ".");
        }
        return document;
    }

    static std::shared_ptr<VRN_Practice> existingPractice(VRN_Matrix& document, int k) {
        return document.Existing()->PGroups.Item(1)->PracticeParts.Item(k);
    }
    static std::shared_ptr<VRN_Practice> targetPractice(VRN_Matrix& document, int alternative,
                                                        int k) {
        return document.Alternatives_col.Item(alternative)->PGroups.Item(1)->PracticeParts.Item(k);
    }
    // The interaction between two practices; fails the test when there is none.
    static std::shared_ptr<VRN_MatrixInteraction> between(const VRN_Practice& a,
                                                          const VRN_Practice& b) {
        for (const auto& interaction : a.Interactions) {
            if (Links(*interaction, a, b)) {
                return interaction;
            }
        }
        ADD_FAILURE() << "no interaction between " << a.Name() << " and " << b.Name();
        return std::make_shared<VRN_MatrixInteraction>();
    }

private:
    static void nameGroup(VRN_PracticeGroup& group, const std::string& name,
                          const std::string& practicePrefix) {
        group.setName(name);
        int k = 0;
        for (const auto& practice : group.PracticeParts) {
            practice->setName(practicePrefix + std::to_string(++k));
        }
    }
};

}  // namespace vrn::testing
