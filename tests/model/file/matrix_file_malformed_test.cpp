#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "model/file/matrix_file_error.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"
#include "tests/model/file/file_fixture.h"

namespace vrn::testing {
namespace {

// `file` with the first `from` after position `after` replaced by `to`.
std::string Replaced(std::string file, const std::string& from, const std::string& to,
                     std::size_t after = 0) {
    const auto at = file.find(from, after);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? file : file.replace(at, from.size(), to);
}

std::string ReplacedEverywhere(std::string file, const std::string& from, const std::string& to) {
    for (auto at = file.find(from); at != std::string::npos; at = file.find(from, at + to.size())) {
        file.replace(at, from.size(), to);
    }
    return file;
}

// `file` cut right after the first `marker`, plus `extra` characters.
std::string CutAfter(const std::string& file, const std::string& marker, std::size_t extra = 0) {
    const auto at = file.find(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    return file.substr(0, at + marker.size() + extra);
}

std::string Garbage(std::size_t size) {
    std::mt19937 pick(7);
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>(pick() & 0xFF));
    }
    return bytes;
}

class MatrixFileMalformedTest : public FileFixture {};

TEST_F(MatrixFileMalformedTest, ADamagedFileGivesOneClearErrorAndLeavesNothingBehind) {
    const std::string fresh = ReadBytes(DataFile("fresh.vrn"));
    struct Case {
        const char* name;
        std::string bytes;
        std::string error;  // a part of the message
    };
    const Case cases[] = {
        {"empty", "", "stopped at line 1: the file ends too early"},
        {"binary garbage", Garbage(4096), "stopped at line 1: the record"},
        {"truncated inside an element", CutAfter(fresh, "\"Existing Practice 2\"\r\n"),
         "the file ends where the record \"Entity\" belongs"},
        {"truncated inside quotes", CutAfter(fresh, "\"Existing Pra"),
         "the file ends inside the quoted text that begins on line 30"},
        {"version 0", Replaced(fresh, "\"Version\",3", "\"Version\",0"), "does not know how"},
        {"version 4", Replaced(fresh, "\"Version\",3", "\"Version\",4"), "does not know how"},
        {"version -1", Replaced(fresh, "\"Version\",3", "\"Version\",-1"), "does not know how"},
        {"version beyond 16 bits", Replaced(fresh, "\"Version\",3", "\"Version\",70000"),
         "holds \"70000\", which is not from -32768 to 32767"},
        {"AlternativeCount -1",
         Replaced(fresh, "\"AlternativeCount\",1", "\"AlternativeCount\",-1"),
         "the record \"AlternativeCount\" holds \"-1\", which is not from 0 to 32767"},
        {"AlternativeCount 1000000",
         Replaced(fresh, "\"AlternativeCount\",1", "\"AlternativeCount\",1000000"),
         "holds \"1000000\", which is not from 0 to 32767"},
        {"AlternativeCount beyond the states",
         Replaced(fresh, "\"AlternativeCount\",1", "\"AlternativeCount\",3"), "stopped at line"},
        {"letters in a key", Replaced(fresh, "\"BEGIN Practice\",5", "\"BEGIN Practice\",five"),
         "the record \"BEGIN Practice\" holds \"five\" where a whole number belongs"},
        {"letters in a number field", Replaced(fresh, "\"Key 1\",12", "\"Key 1\",1x2"),
         "the record \"Key 1\" holds \"1x2\" where a whole number belongs"},
        {"letters in a colour", Replaced(fresh, "\"Color\",\"0\"", "\"Color\",\"red\""),
         "the record \"Color\" holds \"red\" where a whole number belongs"},
        {"a truth value that is none", Replaced(fresh, "\"Locked\",#FALSE#", "\"Locked\",maybe"),
         "the record \"Locked\" holds \"maybe\" where True or False belongs"},
        {"no END Matrix", CutAfter(fresh, "\"END MatrixInteraction\",26\r\n"),
         "the file ends too early"},
        {"many tag mismatches",
         ReplacedEverywhere(ReplacedEverywhere(fresh, "\"Color\"", "\"Colour\""), "\"Discussion\"",
                            "\"Talk\""),
         "the file is damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = mainView.Checked(ViewMark::mnuViewLegend);
        const std::size_t shownBefore = messages.shown().size();
        auto document = EmptyDocument();
        bool directions = true;
        std::stringbuf source(c.bytes);
        try {
            document->Read(source, "damaged.vrn", &window, directions, context());
            ADD_FAILURE() << "read without an error";
        } catch (const MatrixFileError& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find(c.error), std::string::npos) << text;
            EXPECT_EQ(error.title(), "Can't perform load");
        }
        // Nothing of the file stays: no states, no header, no shown cells, no View change.
        EXPECT_TRUE(document->Alternatives_col.Empty());
        EXPECT_TRUE(document->Existing()->PGroups.Empty());
        EXPECT_TRUE(document->Interactions.Empty());
        EXPECT_EQ(document->title, "");
        EXPECT_EQ(document->InForm, nullptr);
        EXPECT_TRUE(directions);
        EXPECT_EQ(mainView.Checked(ViewMark::mnuViewLegend), before);
        EXPECT_EQ(window.Height(), 10000);
        for (const auto& cell : window.cells()) {
            EXPECT_FALSE(cell.control->Visible());
        }
        for (const auto& cell : window.interactionCells()) {
            EXPECT_FALSE(cell.control->Visible());
        }
        EXPECT_LE(messages.shown().size() - shownBefore, 5u);
    }
}

TEST_F(MatrixFileMalformedTest, InteractionsNamingNoPracticeAreLeftOutWithOneWarning) {
    std::string file = ReadBytes(DataFile("fresh.vrn"));
    file = Replaced(file, "\"Key 1\",12\r\n\"Key 2\",4", "\"Key 1\",999\r\n\"Key 2\",4");  // cross
    file = Replaced(file, "\"Key 1\",5\r\n\"Key 2\",4", "\"Key 1\",5\r\n\"Key 2\",998");   // state
    file = Replaced(file, "\"Key 1\",6\r\n\"Key 2\",4", "\"Key 1\",6\r\n\"Key 2\",6");     // itself
    // A state's interaction names practices of its own state only.
    file = Replaced(file, "\"Key 1\",14\r\n\"Key 2\",12", "\"Key 1\",14\r\n\"Key 2\",4");

    const auto document = ReadDocument(file);
    EXPECT_EQ(document->Interactions.Count(), 8);
    EXPECT_EQ(document->Existing()->Interactions.Count(), 1);
    EXPECT_EQ(document->alternative(1)->Interactions.Count(), 2);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt,
              "4 interactions in 'test.vrn' name practices that are not in the file; they were "
              "left out.");
    // What was read saves and reads back.
    const auto again = ReadDocument(SavedBytes(*document));
    EXPECT_EQ(DocumentSnapshot(*again), DocumentSnapshot(*document));
}

TEST_F(MatrixFileMalformedTest, OddButReadableFilesLoad) {
    const std::string fresh = ReadBytes(DataFile("fresh.vrn"));
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t warnings;
    };
    const std::string bigText(5 * 1024 * 1024, 'x');
    const Case cases[] = {
        {"a 5 MB text", Replaced(fresh, "\"Title\",\"Varnel\"", "\"Title\",\"" + bigText + "\""),
         0},
        {"two tag mismatches",
         Replaced(Replaced(fresh, "\"Authors\"", "\"Writers\""), "\"Review\"", "\"Rewiew\""), 2},
        {"lone LF line ends", ReplacedEverywhere(fresh, "\r\n", "\n"), 0},
        {"lone CR line ends", ReplacedEverywhere(fresh, "\r\n", "\r"), 0},
        {"blank lines and blanks", ReplacedEverywhere(fresh, "\r\n\"BEGIN", "\r\n\r\n  \"BEGIN"),
         0},
        {"text after the end", fresh + "trailing junk\r\n", 0},
        {"NUL bytes in a text",
         Replaced(fresh, "\"Title\",\"Varnel\"", std::string("\"Title\",\"a\0b\"", 13)), 0},
        {"duplicate keys", ReplacedEverywhere(fresh, "Practice\",5\r\n", "Practice\",4\r\n"), 1},
        {"no alternatives", CutAfter(fresh, "\"AlternativeCount\",") + "0\r\n\"END Matrix\",1\r\n",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t shownBefore = messages.shown().size();
        const auto document = ReadDocument(c.bytes);
        EXPECT_EQ(messages.shown().size() - shownBefore, c.warnings);
        EXPECT_FALSE(SavedBytes(*document).empty());
    }
    EXPECT_EQ(ReadDocument(cases[0].bytes)->title.size(), bigText.size());
    EXPECT_EQ(ReadDocument(cases[2].bytes)->Existing()->Practices.Count(), 3);
}

}  // namespace
}  // namespace vrn::testing
