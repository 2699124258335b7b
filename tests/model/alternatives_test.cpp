#include <gtest/gtest.h>

#include "model/model_error.h"
#include "tests/model/document_fixture.h"

namespace vrn::testing {
namespace {

class AlternativesTest : public DocumentFixture {
protected:
    static std::vector<bool> ActiveFlags(const VRN_Matrix& document) {
        std::vector<bool> flags;
        for (const auto& state : document.Alternatives_col) {
            flags.push_back(state->Active);
        }
        return flags;
    }
};

TEST_F(AlternativesTest, AlternativesAreNamedByTheirNumber) {
    const auto document = NewDocument(3);
    EXPECT_EQ(document->alternative(2)->Name, "Target Practices: Alternative 2");
    EXPECT_EQ(document->alternative()->Name, "Target Practices: Alternative 1");
    EXPECT_EQ(ActiveFlags(*document), (std::vector<bool>{true, false, false}));
    // Three practices of each alternative meet the three existing practices.
    EXPECT_EQ(document->Interactions.Count(), 3 * 9);
}

TEST_F(AlternativesTest, DeletingTheFirstOfThreeActivatesTheLast) {
    const auto document = NewDocument(3);
    const std::weak_ptr<VRN_State> first = document->alternative(1);
    const std::weak_ptr<VRN_Practice> firstPractice = first.lock()->Practices.Item(1);
    const auto third = document->alternative(3);

    document->delete_alternative();

    EXPECT_EQ(document->Alt_count, 2);
    EXPECT_EQ(document->Alt_i, 2);
    EXPECT_EQ(document->alternative(), third);
    EXPECT_TRUE(third->Active);
    // Its cross interactions went with it, from the document and from the existing practices.
    EXPECT_EQ(document->Interactions.Count(), 2 * 9);
    for (const auto& practice : document->Existing()->Practices) {
        EXPECT_EQ(practice->Interactions.Count(), 2 + 2 * 3);
    }
    EXPECT_TRUE(first.expired());
    EXPECT_TRUE(firstPractice.expired());
}

TEST_F(AlternativesTest, RefusesToDeleteTheLastAlternative) {
    const auto document = NewDocument(1);
    EXPECT_THROW(document->delete_alternative(), ModelError);
    EXPECT_EQ(document->Alt_count, 1);
    EXPECT_EQ(document->Alt_i, 1);
    EXPECT_EQ(document->Interactions.Count(), 9);
    EXPECT_EQ(document->alternative(1)->Practices.Count(), 3);
}

TEST_F(AlternativesTest, BadIndexRaisesAndChangesNothing) {
    const auto document = NewDocument(2);
    EXPECT_THROW(document->alternative(3), CollectionIndexError);
    EXPECT_THROW(document->alternative(0), CollectionIndexError);
    document->Alt_i = 5;
    EXPECT_THROW(document->delete_alternative(), CollectionIndexError);
    EXPECT_EQ(document->Alt_count, 2);
    EXPECT_EQ(document->Interactions.Count(), 2 * 9);
}

TEST_F(AlternativesTest, NewAlternativeIsNotActivated) {
    const auto document = NewDocument(2);
    document->use_alternative(true, 2);
    document->new_alternative("Outsourced");
    EXPECT_EQ(document->Alt_count, 3);
    EXPECT_EQ(document->Alt_i, 2);
    EXPECT_EQ(document->alternative(), document->alternative(2));
    EXPECT_EQ(ActiveFlags(*document), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(document->alternative(3)->Name, "Outsourced");
    EXPECT_EQ(NamesOf(document->alternative(3)->PGroups),
              std::vector<std::string>{"Outsourced Group"});
    EXPECT_EQ(document->Interactions.Count(), 3 * 9);
}

TEST_F(AlternativesTest, UseAlternativeSwitchesTheActiveOne) {
    const auto document = NewDocument(3);
    document->use_alternative(true, 3);
    EXPECT_EQ(ActiveFlags(*document), (std::vector<bool>{false, false, true}));

    document->use_alternative(false, 1);
    EXPECT_FALSE(document->Use_Alter);
    EXPECT_EQ(document->Alt_i, 3);
    EXPECT_EQ(ActiveFlags(*document), (std::vector<bool>{false, false, true}));

    document->use_alternative(true, 9);
    EXPECT_TRUE(document->Use_Alter);
    EXPECT_EQ(document->Alt_i, 9);
    EXPECT_EQ(ActiveFlags(*document), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(document->activeAlternative(), nullptr);
}

}  // namespace
}  // namespace vrn::testing
