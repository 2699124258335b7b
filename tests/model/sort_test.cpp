#include <gtest/gtest.h>

#include "tests/model/document_fixture.h"

namespace vrn::testing {
namespace {

using Names = std::vector<std::string>;

class SortTest : public DocumentFixture {};

// Gives each existing practice the wanted score: that many "+" among its cross interactions.
TEST_F(SortTest, HighestValueFirstAndEqualValuesKeepTheirOrder) {
    const auto document = NewDocument(1);
    mainView.setChecked(ViewMark::mnuViewWeightedSort, false);
    const auto& existing = document->Existing();
    existing->Practices.Item(3)->AddNewPractice("D");
    existing->Practices.Item(4)->AddNewPractice("E");
    const char* names[] = {"A", "B", "C", "D", "E"};
    const int scores[] = {1, 3, 3, 0, 3};
    for (int i = 0; i < 5; ++i) {
        const auto& practice = existing->Practices.Item(i + 1);
        practice->setName(names[i]);
        int plus = scores[i];
        for (const auto& interaction : practice->Interactions) {
            if (interaction->IsCross() && plus > 0) {
                interaction->setValue("+");
                --plus;
            }
        }
        ASSERT_EQ(practice->Value(), scores[i]);
    }
    const auto groupOrder = NamesOf(existing->PGroups.Item(1)->PracticeParts);

    existing->SortPractices();

    EXPECT_EQ(NamesOf(existing->Practices), (Names{"B", "C", "E", "A", "D"}));
    EXPECT_EQ(NamesOf(existing->PGroups.Item(1)->PracticeParts), groupOrder);
}

TEST_F(SortTest, WeightedSortUsesTheImportance) {
    const auto document = NewDocument(1);
    mainView.setChecked(ViewMark::mnuViewWeightedSort, true);
    const auto& practices = document->Existing()->Practices;
    // Both score 1 across; "+2" weighs 5, "-2" weighs 1.
    for (int i : {1, 2}) {
        practices.Item(i)
            ->Interactions.Item(practices.Item(i)->Interactions.Count())
            ->setValue("+");
    }
    practices.Item(1)->Importance->setText("-2");
    practices.Item(2)->Importance->setText("+2");
    document->Existing()->SortPractices();
    EXPECT_EQ(NamesOf(practices),
              (Names{"Existing Practice 2", "Existing Practice 1", "Existing Practice 3"}));
}

TEST_F(SortTest, EmptyStateStaysEmpty) {
    auto document = std::make_shared<VRN_Matrix>();
    document->CreateNew(context(), &window);
    document->CreateInit(1, nullptr, nullptr, true);
    document->Existing()->SortPractices();
    EXPECT_TRUE(document->Existing()->Practices.Empty());
}

}  // namespace
}  // namespace vrn::testing
