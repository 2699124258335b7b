#include <gtest/gtest.h>

#include <fstream>

#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/model/file/file_fixture.h"

namespace vrn::testing {
namespace {

// The address space of this process in bytes, touched or not: room reserved for a list counts
// whether or not the list ever fills it.
double AddressSpaceBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmSize:")) {
            return std::stod(line.substr(line.find(':') + 1)) * 1024;  // given in kB
        }
    }
    return 0;
}

class MatrixFileReadTest : public FileFixture {
protected:
    std::shared_ptr<VRN_Matrix> Read(const std::string& bytes, bool& directions) {
        auto document = EmptyDocument();
        std::stringbuf source(bytes);
        document->Read(source, "test.vrn", &window, directions, context());
        return document;
    }
};

TEST_F(MatrixFileReadTest, ReadingSetsTheWindowSizeAndTheMainWindowsViewMarks) {
    std::string bytes = ReadBytes(DataFile("rich.vrn"));
    const std::string importance = "\"ViewImportance\",#FALSE#";
    bytes.replace(bytes.find(importance), importance.size(), "\"ViewImportance\",#TRUE#");
    mainView.setChecked(ViewMark::mnuViewTitle, false);
    mainView.setChecked(ViewMark::mnuViewColor, true);
    mainView.setChecked(ViewMark::mnuViewWeightedSort, false);

    bool directions = false;
    const auto document = Read(bytes, directions);
    EXPECT_EQ(window.Height(), 7200);
    EXPECT_EQ(window.Width(), 9600);
    EXPECT_TRUE(mainView.Checked(ViewMark::mnuViewTitle));
    EXPECT_FALSE(mainView.Checked(ViewMark::mnuViewAttribution));
    EXPECT_TRUE(mainView.Checked(ViewMark::mnuViewPracticeGroups));
    EXPECT_TRUE(mainView.Checked(ViewMark::mnuViewImportance));
    EXPECT_TRUE(mainView.Checked(ViewMark::mnuViewLegend));
    EXPECT_FALSE(mainView.Checked(ViewMark::mnuViewColor));
    EXPECT_FALSE(mainView.Checked(ViewMark::mnuViewWeightedSort));  // not in the file
    EXPECT_EQ(document->VRN_PracticeGrpHeight, 600);
    EXPECT_EQ(document->VRN_PracticeWidth, 2700);
    EXPECT_EQ(document->VRN_PracticeHeight, 600);
    EXPECT_TRUE(directions);
}

TEST_F(MatrixFileReadTest, AFileSavedWithoutAWindowSizesTheWindowToTheFixedValues) {
    bool directions = true;
    Read(ReadBytes(DataFile("fresh.vrn")), directions);
    EXPECT_EQ(window.Height(), 8000);
    EXPECT_EQ(window.Width(), 9000);
    EXPECT_FALSE(directions);  // the file's directions are empty
}

TEST_F(MatrixFileReadTest, ADocumentWithoutAWindowLeavesWindowAndMarksAlone) {
    mainView.setChecked(ViewMark::mnuViewTitle, false);
    ReadDocument(ReadBytes(DataFile("rich.vrn")), /*noDisplay=*/true);
    EXPECT_EQ(window.Height(), 10000);
    EXPECT_FALSE(mainView.Checked(ViewMark::mnuViewTitle));
    EXPECT_TRUE(window.cells().empty());
    EXPECT_TRUE(window.interactionCells().empty());
}

TEST_F(MatrixFileReadTest, TheDocumentIsBoundAndItsFirstAlternativeActive) {
    bool directions = false;
    const auto document = Read(ReadBytes(DataFile("rich.vrn")), directions);
    EXPECT_EQ(document->InForm, &window);
    EXPECT_EQ(document->Context.MainForm, &mainView);
    EXPECT_EQ(document->InMatrix.lock(), document);
    EXPECT_TRUE(document->Existing()->Active);
    EXPECT_EQ(document->Existing()->partOf.lock(), document);
    ASSERT_NE(document->Target, nullptr);
    EXPECT_TRUE(document->Target->PGroups.Empty());
    EXPECT_TRUE(document->Use_Alter);
    EXPECT_EQ(document->Alt_i, 1);
    EXPECT_TRUE(document->alternative(1)->Active);
    EXPECT_FALSE(document->alternative(2)->Active);
    EXPECT_EQ(document->rpt_MatrixImage, 0);  // report flags wait for the window's
}

TEST_F(MatrixFileReadTest, EveryElementGetsItsCellsFromTheWindow) {
    bool directions = false;
    const auto document = Read(ReadBytes(DataFile("rich.vrn")), directions);
    const auto& existing = *document->Existing();
    const auto group = existing.PGroups.Item(1);
    ASSERT_EQ(window.cellsOf(*group).size(), 1u);
    EXPECT_EQ(group->Display, window.cellsOf(*group)[0]);
    EXPECT_EQ(group->Display->text(), "Existing Practices Group");
    EXPECT_TRUE(group->Display->fontbold());

    const auto practice = existing.Practices.Item(1);
    const auto cells = window.cellsOf(*practice);
    ASSERT_EQ(cells.size(), 2u);  // the cell, then the importance box
    EXPECT_EQ(practice->Display, cells[0]);
    EXPECT_EQ(practice->Importance, cells[1]);
    EXPECT_EQ(cells[0]->text(), "Hire: \"fast\", train later");
    EXPECT_EQ(cells[1]->text(), "+2");
    EXPECT_FALSE(cells[1]->Visible());
    EXPECT_EQ(practice->Importance_value, "+2");

    const auto& interaction = *existing.Interactions.Item(1);
    ASSERT_NE(interaction.Display, nullptr);
    EXPECT_EQ(interaction.Display->text(), "+");
    EXPECT_EQ(interaction.Display->ToolTipText(), "Note, with comma");
    EXPECT_EQ(interaction.Display->BackColor(), 255);
    EXPECT_EQ(
        window.interactionCells().size(),
        static_cast<std::size_t>(document->Interactions.Count() + existing.Interactions.Count() +
                                 document->alternative(1)->Interactions.Count() +
                                 document->alternative(2)->Interactions.Count()));
}

TEST_F(MatrixFileReadTest, TheFirstUnderlinedGroupWithOptionsAsksTheGuidedQuestions) {
    const auto document = NewDocument(1);
    auto& existing = *document->Existing();
    const auto first = existing.PGroups.Item(1);
    const auto second = first->AddNewPracticeGroup("Second");
    for (const auto& group : {first, second}) {
        group->setFontUnderlined(true);
        std::make_shared<VRN_Optiongroup>()->Create("Q", group->PracticeParts.Item(1), &window);
    }
    // An underlined group without options does not count.
    document->alternative(1)->PGroups.Item(1)->setFontUnderlined(true);

    const auto read = ReadDocument(SavedBytes(*document));
    EXPECT_TRUE(read->Auto_PGroup_Dialogue);
    EXPECT_EQ(read->Auto_PGroup.lock(), read->Existing()->PGroups.Item(1));
    EXPECT_TRUE(read->Existing()->PGroups.Item(2)->Has_Options);
    EXPECT_FALSE(read->alternative(1)->PGroups.Item(1)->Has_Options);
}

// Every practice read lists the interactions that name it: those within its state in file
// order, then those across in file order. A file of several megabytes keeps its lists apart.
TEST_F(MatrixFileReadTest, EveryPracticeListsTheInteractionsNamingItInFileOrder) {
    const auto small = NewDocument(2);
    const auto large = NewDocument(2, true);
    for (const auto& state : {large->Existing(), large->alternative(1), large->alternative(2)}) {
        while (state->Practices.Count() < 100) {
            state->Practices.Item(state->Practices.Count())->AddNewPractice("More");
        }
    }
    for (const auto& built : {small, large}) {
        const std::string bytes = SavedBytes(*built);
        const auto read = ReadDocument(bytes, true);
        EXPECT_EQ(DocumentSnapshot(*read), DocumentSnapshot(*built));
        for (const auto& state : {read->Existing(), read->alternative(1), read->alternative(2)}) {
            for (const auto& practice : state->Practices) {
                std::vector<const VRN_MatrixInteraction*> expected;
                for (const auto* list : {&state->Interactions, &read->Interactions}) {
                    for (const auto& interaction : *list) {
                        if (interaction->Practice1.lock() == practice ||
                            interaction->practice2.lock() == practice) {
                            expected.push_back(interaction.get());
                        }
                    }
                }
                std::vector<const VRN_MatrixInteraction*> listed;
                for (const auto& interaction : practice->Interactions) {
                    listed.push_back(interaction.get());
                }
                ASSERT_EQ(listed, expected) << bytes.size() << " bytes, " << practice->Name();
            }
        }
    }
}

// A reader makes room for the interactions its practices will meet, but a damaged file that
// names thousands of practices and holds hardly any interaction must not make it reserve room
// for hundreds of millions.
TEST_F(MatrixFileReadTest, AFileOfManyPracticesAndFewInteractionsReservesLittle) {
    const auto document = NewDocument(0, true);
    auto& existing = *document->Existing();
    std::string bytes = SavedBytes(*document);
    // 20,000 practices in the existing state's group, and one interaction.
    std::string practices;
    for (int key = 100; key < 20100; ++key) {
        practices += "\"BEGIN Practice\"," + std::to_string(key) +
                     "\r\n\"Name\",\"P\"\r\n\"Entity\",#FALSE#\r\n\"PID\",\"\"\r\n"
                     "\"Description\",\"\"\r\n\"Discussion\",\"\"\r\n\"Layout\",#FALSE#\r\n"
                     "\"Import\",\"\"\r\n\"Bold\",#FALSE#\r\n\"Italic\",#FALSE#\r\n"
                     "\"Underlined\",#FALSE#\r\n\"Color\",\"0\"\r\n"
                     "\"Has_OptionGroup\",#FALSE#\r\n\"END Practice\"," +
                     std::to_string(key) + "\r\n";
    }
    const std::string groupEnd = "\"END PracticeGroup\"";
    bytes.insert(bytes.find(groupEnd), practices);
    ASSERT_EQ(existing.Interactions.Count(), 3);  // among the three practices it had
    const double before = AddressSpaceBytes();
    const auto read = ReadDocument(bytes, true);
    const double taken = AddressSpaceBytes() - before;
    EXPECT_EQ(read->Existing()->Practices.Count(), 20003);
    EXPECT_EQ(read->Existing()->Interactions.Count(), 3);
    // 20,000 lists of 20,000 entries would take more than 6 GB.
    EXPECT_LT(taken, 200.0 * 1024 * 1024) << bytes.size() << " bytes";
}

}  // namespace
}  // namespace vrn::testing
