#include <gtest/gtest.h>

#include <algorithm>

#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/model/file/file_fixture.h"

namespace vrn::testing {
namespace {

class MatrixFileGoldenTest : public FileFixture {};

// fresh.vrn holds, record by record, what a new document without a window is made of.
TEST_F(MatrixFileGoldenTest, AFreshDocumentSavesToTheGoldenBytes) {
    const auto document = NewDocument(1, true);
    EXPECT_EQ(SavedBytes(*document), ReadBytes(DataFile("fresh.vrn")));
}

TEST_F(MatrixFileGoldenTest, ARichDocumentSavesToTheGoldenBytes) {
    const auto document = RichDocument();
    EXPECT_EQ(SavedBytes(*document), ReadBytes(DataFile("rich.vrn")));
}

TEST_F(MatrixFileGoldenTest, ReadingAGoldenFileAndSavingItAgainGivesTheSameBytes) {
    for (const char* name : {"fresh.vrn", "rich.vrn", "two_alternatives.vrn"}) {
        const std::string golden = ReadBytes(DataFile(name));
        for (const bool noDisplay : {false, true}) {
            if (noDisplay && std::string(name) == "rich.vrn") {
                continue;  // without a window the window records take fixed values
            }
            const auto document = ReadDocument(golden, noDisplay);
            EXPECT_EQ(SavedBytes(*document), golden)
                << name << (noDisplay ? " without window" : "");
        }
    }
}

// Every key the document holds, in no particular order.
std::vector<std::int32_t> AllKeys(VRN_Matrix& document) {
    std::vector<std::int32_t> keys{document.Key};
    const auto addState = [&keys](const VRN_State& state) {
        keys.push_back(state.Key);
        for (const auto& group : state.PGroups) {
            keys.push_back(group->Key);
            for (const auto& practice : group->PracticeParts) {
                keys.push_back(practice->Key);
                if (const auto& options = practice->OptionGroup) {
                    keys.push_back(options->Key);
                    for (const auto& option : options->Options) {
                        keys.push_back(option->Key);
                    }
                }
            }
        }
        for (const auto& interaction : state.Interactions) {
            keys.push_back(interaction->Key);
        }
    };
    addState(*document.Existing());
    for (const auto& state : document.Alternatives_col) {
        addState(*state);
    }
    for (const auto& interaction : document.Interactions) {
        keys.push_back(interaction->Key);
    }
    return keys;
}

TEST_F(MatrixFileGoldenTest, KeysAreRenumberedDepthFirstOnEverySave) {
    const auto document = RichDocument();
    const std::string first = SavedBytes(*document);
    EXPECT_EQ(SavedBytes(*document), first);  // twice in a row: the same file

    const auto& existing = *document->Existing();
    EXPECT_EQ(document->Key, 1);
    EXPECT_EQ(existing.Key, 2);
    EXPECT_EQ(existing.PGroups.Item(1)->Key, 3);
    EXPECT_EQ(existing.PGroups.Item(1)->PracticeParts.Item(1)->Key, 4);
    EXPECT_EQ(existing.PGroups.Item(1)->PracticeParts.Item(1)->OptionGroup->Key, 5);
    // An alternative's key follows the last key given out in the state before it.
    EXPECT_EQ(document->alternative(1)->Key,
              existing.Interactions.Item(existing.Interactions.Count())->Key + 1);

    auto keys = AllKeys(*document);
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ASSERT_EQ(keys[i], static_cast<std::int32_t>(i + 1));  // no gaps, no repeats
    }
    EXPECT_EQ(document->Interactions.Item(document->Interactions.Count())->Key,
              static_cast<std::int32_t>(keys.size()));  // the document's interactions come last
}

}  // namespace
}  // namespace vrn::testing
