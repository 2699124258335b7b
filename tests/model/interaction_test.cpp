#include <gtest/gtest.h>

#include "tests/model/document_fixture.h"
#include "tests/support/model_doubles/fake_catalogue_attribute.h"

namespace vrn::testing {
namespace {

class InteractionTest : public DocumentFixture {
protected:
    void SetUp() override {
        document = NewDocument(1);
        interaction = document->Interactions.Item(1);
        first = interaction->Practice1.lock();
        second = interaction->practice2.lock();
    }
    std::shared_ptr<VRN_Matrix> document;
    std::shared_ptr<VRN_MatrixInteraction> interaction;
    std::shared_ptr<VRN_Practice> first;
    std::shared_ptr<VRN_Practice> second;
};

TEST_F(InteractionTest, ValueIsTheCaption) {
    interaction->setValue("+");
    EXPECT_EQ(interaction->Value(), "+");
    EXPECT_EQ(interaction->Display->text(), "+");
}

TEST_F(InteractionTest, TextsAreStoredUnlessACatalogueAttributeIsBound) {
    interaction->setNote("Reinforcing Interaction");
    interaction->setDescription("Rationale");
    interaction->setDiscussion("Minutes");
    EXPECT_EQ(interaction->Note(), "Reinforcing Interaction");
    EXPECT_EQ(interaction->Description(), "Rationale");
    EXPECT_EQ(interaction->Discussion(), "Minutes");

    interaction->setInteractionDescription(
        std::make_shared<FakeCatalogueAttribute>(std::string("From the catalogue")));
    EXPECT_EQ(interaction->Description(), "From the catalogue");
    EXPECT_EQ(interaction->Discussion(), "Minutes");

    // Fields never set read as empty.
    const auto& other = document->Interactions.Item(2);
    EXPECT_EQ(other->Note(), "");
    EXPECT_EQ(other->entity_ID(), 0);
    EXPECT_TRUE(other->except_col().Empty());
    EXPECT_EQ(other->VisioObject(), nullptr);
}

TEST_F(InteractionTest, DeleteLeavesAllThreeListsAndHidesTheCell) {
    // Already missing from one list: it still leaves the others.
    first->Interactions.RemoveItem(interaction.get());
    interaction->Delete();
    EXPECT_FALSE(document->Interactions.Contains(interaction.get()));
    EXPECT_FALSE(second->Interactions.Contains(interaction.get()));
    EXPECT_FALSE(interaction->Display->Visible());
    EXPECT_NO_THROW(interaction->Delete());
}

TEST_F(InteractionTest, DeleteOfTheLastReferenceIsSafe) {
    const std::weak_ptr<VRN_MatrixInteraction> watch = interaction;
    VRN_MatrixInteraction* raw = interaction.get();
    interaction.reset();
    raw->Delete();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(document->Interactions.Count(), 8);
}

TEST_F(InteractionTest, RemoveFromParentLeavesThePracticesLists) {
    interaction->RemoveFromParent();
    EXPECT_FALSE(document->Interactions.Contains(interaction.get()));
    EXPECT_TRUE(first->Interactions.Contains(interaction.get()));
    EXPECT_TRUE(second->Interactions.Contains(interaction.get()));
}

TEST_F(InteractionTest, DeleteAllTakesManyInOnePass) {
    const auto doomed = first->Interactions.Snapshot();
    VRN_MatrixInteraction::DeleteAll(doomed);
    EXPECT_TRUE(first->Interactions.Empty());
    EXPECT_EQ(document->Interactions.Count(), 9 - 3);
    EXPECT_EQ(document->alternative(1)->Interactions.Count(), 3 - 2);
    for (const auto& gone : doomed) {
        EXPECT_FALSE(gone->Display->Visible());
    }
}

}  // namespace
}  // namespace vrn::testing
