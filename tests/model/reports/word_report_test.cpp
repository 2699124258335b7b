#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/reports/word_report.h"
#include "tests/model/document_fixture.h"
#include "tests/support/model_doubles/recording_word_document.h"

namespace vrn::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Not;

constexpr std::int16_t kOn = -1;
constexpr const char* kRule = "P|_____________________________________________|10|0|b";

class WordReportTest : public DocumentFixture {
protected:
    std::vector<std::string> Segment(VRN_Matrix& document, const std::string& name,
                                     bool printDescription) {
        RecordingWordDocument word;
        WordReport_Segment(document, word, name, printDescription);
        return word.calls;
    }

    static void AllFlagsOff(VRN_Matrix& document) {
        for (std::int16_t* flag :
             {&document.rpt_MatrixImage, &document.rpt_MatrixDescription,
              &document.rpt_MatrixAttribution, &document.rpt_CurrentPracticeDescriptions,
              &document.rpt_TargetPracticeDescriptions, &document.rpt_IncludeHiddenAlternatives,
              &document.rpt_IncludeAlternativeImages, &document.rpt_IncludeCustomFields,
              &document.rpt_IncludeCustomImages, &document.rpt_CurrentPracticeInteractions,
              &document.rpt_TargetPracticeInteractions, &document.rpt_CurrentTargetInteractions,
              &document.rpt_InteractionValues, &document.rpt_InteractionDescriptions,
              &document.rpt_BlankInteractions, &document.rpt_CurrentPractices}) {
            *flag = 0;
        }
    }

    static std::shared_ptr<VRN_Practice> ExistingPractice(VRN_Matrix& document, int k) {
        return document.Existing()->PGroups.Item(1)->PracticeParts.Item(k);
    }

    // The interaction between existing practice `k` and practice `k` of alternative 1.
    static std::shared_ptr<VRN_MatrixInteraction> Cross(VRN_Matrix& document, int k) {
        const auto existing = ExistingPractice(document, k);
        const auto target = document.alternative(1)->PGroups.Item(1)->PracticeParts.Item(k);
        for (const auto& interaction : existing->Interactions) {
            if (Links(*interaction, *existing, *target)) {
                return interaction;
            }
        }
        ADD_FAILURE() << "no interaction between the practices";
        return nullptr;
    }

    // The calls that mark the structure: headings of 16 points, the first lines of the
    // description and attribution segments, alternative headings, empty paragraphs and breaks.
    static std::vector<std::string> Outline(const std::vector<std::string>& calls) {
        std::vector<std::string> outline;
        for (const auto& call : calls) {
            if (call.find("|16|0|") != std::string::npos || call == "N" || call == "BRK" ||
                call.starts_with("S| Alternative") || call.starts_with("S| Description") ||
                call.starts_with("S|Attribution")) {
                outline.push_back(call.substr(0, call.find('|', 2)));
            }
        }
        return outline;
    }
};

TEST_F(WordReportTest, ExportWritesTheFrameAndThePictureOnlyWhenAsked) {
    struct Case {
        const char* name;
        std::int16_t image;
        const char* picture;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {"all flags off", 0, "PNG", {"new|Plan|Confidential", kRule, "save|out.docx"}},
        {"picture flag",
         kOn,
         "PNG",
         {"new|Plan|Confidential", kRule, "picture|3", "N", "save|out.docx"}},
        {"picture flag, other non-zero value",
         1,
         "PNG",
         {"new|Plan|Confidential", kRule, "picture|3", "N", "save|out.docx"}},
        {"picture flag without a picture",
         kOn,
         "",
         {"new|Plan|Confidential", kRule, "save|out.docx"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto document = NewDocument(1);
        document->title = "Plan";
        document->footer = "Confidential";
        AllFlagsOff(*document);
        document->rpt_MatrixImage = c.image;
        RecordingWordDocument word;
        Export_Word(*document, word, "out.docx", c.picture);
        EXPECT_EQ(word.calls, c.calls);
    }
}

TEST_F(WordReportTest, EachFlagChoosesItsSegmentsInReportOrder) {
    struct Case {
        std::int16_t VRN_Matrix::*flag;
        std::vector<std::string> outline;
    };
    const std::vector<Case> cases = {
        {&VRN_Matrix::rpt_MatrixDescription, {"S| Description: "}},
        {&VRN_Matrix::rpt_MatrixAttribution, {"N", "S|Attribution:", "BRK"}},
        {&VRN_Matrix::rpt_CurrentPractices, {"S|--- Current Practices ---", "BRK"}},
        {&VRN_Matrix::rpt_CurrentPracticeInteractions,
         {"S|--- Current Practice Interactions ---", "BRK",
          "S|--- Current Practice Interactions Highlighted ---", "BRK"}},
        {&VRN_Matrix::rpt_IncludeHiddenAlternatives, {"S|--- Target Practices ---", "N", "BRK"}},
        {&VRN_Matrix::rpt_TargetPracticeInteractions,
         {"S|--- Target Practice Interactions ---", "N", "BRK"}},
        // Flags the word report does not read.
        {&VRN_Matrix::rpt_IncludeAlternativeImages, {}},
        {&VRN_Matrix::rpt_CurrentPracticeDescriptions, {}},
        {&VRN_Matrix::rpt_BlankInteractions, {}},
    };
    for (const auto& c : cases) {
        auto document = NewDocument(1);
        AllFlagsOff(*document);
        document.get()->*c.flag = kOn;
        RecordingWordDocument word;
        Export_Word(*document, word, "out.docx");
        SCOPED_TRACE(::testing::PrintToString(word.calls));
        EXPECT_EQ(Outline(word.calls), c.outline);
    }

    // Every flag on: the segments in the report's order.
    auto document = NewDocument(1);
    RecordingWordDocument word;
    Export_Word(*document, word, "out.docx");
    std::vector<std::string> headings;
    for (const auto& line : Outline(word.calls)) {
        if (line.starts_with("S|")) {
            headings.push_back(line);
        }
    }
    EXPECT_THAT(
        headings,
        ElementsAre("S| Description: ", "S|Attribution:", "S|--- Current Practices ---",
                    "S|--- Current Practice Interactions ---",
                    "S|--- Current Practice Interactions Highlighted ---",
                    "S|--- Target Practices ---", "S|--- Target Practice Interactions ---"));
    EXPECT_EQ(word.calls.back(), "save|out.docx");
}

TEST_F(WordReportTest, DescriptionsNeedTheirFlagToBeExactlyTrue) {
    for (const std::int16_t flag : {kOn, std::int16_t{1}, std::int16_t{0}}) {
        SCOPED_TRACE(flag);
        auto document = NewDocument(1);
        AllFlagsOff(*document);
        document->rpt_CurrentPractices = kOn;
        document->rpt_CurrentPracticeDescriptions = flag;
        ExistingPractice(*document, 1)->setDescription("Written plans");
        RecordingWordDocument word;
        Export_Word(*document, word, "out.docx");
        EXPECT_EQ(word.Starting("T|Written plans").size(), flag == kOn ? 1U : 0U);
        EXPECT_THAT(word.calls, Contains("S|--- Current Practices ---|16|0|b|x"));
    }
}

TEST_F(WordReportTest, CurrentPracticesListsEveryLineWithItsSizeIndentAndBoldness) {
    auto document = NewDocument(1);
    auto existing = document->Existing();
    existing->Description = "Where we are";
    const auto first = ExistingPractice(*document, 1);
    first->setDescription("Yearly");
    first->Discussion = "http://wiki/budget";
    ExistingPractice(*document, 2)->setDescription("ab");  // too short to print
    ExistingPractice(*document, 3)->Discussion = "x";

    EXPECT_THAT(Segment(*document, "CurrentPractices", true),
                ElementsAre("S|--- Current Practices ---|16|0|b|x",  //
                            "P|Existing Practices|14|1|b",           //
                            "S|Description:|10|2|-|-",               //
                            "T|Where we are|12|2|-",                 //
                            "S|Practice Group 1:|10|2|-|x",          //
                            "P|Existing Practices Group|12|2|b",     //
                            "S|Practice 1:|10|3|-|-",                //
                            "P|Existing Practice 1|12|3|b",          //
                            "S|Description:|10|4|-|-",               //
                            "T|Yearly|12|4|-",                       //
                            "S|Discussion URL: http://wiki/budget|12|4|-|-",
                            "S|Practice 2:|10|3|-|-",        //
                            "P|Existing Practice 2|12|3|b",  //
                            "S|Practice 3:|10|3|-|-",        //
                            "P|Existing Practice 3|12|3|b",  //
                            "BRK"));
    // Without descriptions only the names remain.
    EXPECT_EQ(Segment(*document, "CurrentPractices", false).size(), 11U);
}

TEST_F(WordReportTest, AlternativesBreakPagesBetweenThemAndNumberThemWhenMoreThanOne) {
    struct Case {
        std::int16_t alternatives;
        std::vector<std::string> outline;
    };
    const std::vector<Case> cases = {
        {1, {"S|--- Target Practices ---", "N", "BRK"}},
        {3,
         {"S|--- Target Practices --- 3 Alternatives  ---", "S| Alternative 1 of 3", "N", "BRK",
          "S| Alternative 2 of 3", "N", "BRK", "S| Alternative 3 of 3", "N", "BRK"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alternatives);
        auto document = NewDocument(c.alternatives);
        const auto calls = Segment(*document, "MatrixAllAlternatives", true);
        EXPECT_EQ(Outline(calls), c.outline);
        // An alternative's state name is plain; its description label is bold.
        document->alternative(1)->Description = "Leaner";
        EXPECT_THAT(
            Segment(*document, "MatrixAllAlternatives", true),
            ::testing::IsSupersetOf({std::string("P|Target Practices: Alternative 1|14|1|-"),
                                     std::string("S|Description:|10|2|b|-")}));
    }
}

TEST_F(WordReportTest, AlternativeInteractionsListTheExistingPracticesUnderEachAlternative) {
    auto document = NewDocument(2);
    Cross(*document, 1)->setValue("+");
    const auto calls = Segment(*document, "AlternativePracticeInteractions", false);
    EXPECT_EQ(Outline(calls),
              (std::vector<std::string>{"S|--- Target Practice Interactions: 2 Alternatives  ---",
                                        "S| Alternative Interactions 1 of 2", "N", "BRK",
                                        "S| Alternative Interactions 2 of 2", "N", "BRK"}));
    const auto names = [&] {
        std::vector<std::string> found;
        for (const auto& call : calls) {
            if (call.starts_with("P|")) {
                found.push_back(call);
            }
        }
        return found;
    }();
    const std::vector<std::string> existing = {
        "P|Existing Practices Group|12|2|b", "P|Existing Practice 1|12|3|b",
        "P|Existing Practice 2|12|3|b", "P|Existing Practice 3|12|3|b"};
    std::vector<std::string> expected = {"P|Target Practices: Alternative 1|14|1|-"};
    expected.insert(expected.end(), existing.begin(), existing.end());
    expected.push_back("P|Target Practices: Alternative 2|14|1|-");
    expected.insert(expected.end(), existing.begin(), existing.end());
    EXPECT_EQ(names, expected);
    // The interaction is listed under both alternatives, in the alternative's size and plain.
    const auto listed =
        std::count(calls.begin(), calls.end(), "S|+ Interaction with: New Practice 1|12|4|-|-");
    EXPECT_EQ(listed, 2);
}

TEST_F(WordReportTest, ValueTestsOfTheListings) {
    struct Case {
        const char* value;
        bool current;
        bool alternative;
        bool highlighted;
    };
    const std::vector<Case> cases = {
        {"+", true, true, true},
        {"?", true, true, true},
        {" ", false, true, false},
        {"", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("value '") + c.value + "'");
        auto document = NewDocument(1);
        const auto interaction = Cross(*document, 2);
        interaction->setValue(c.value);
        interaction->setDescription("Budgets follow the plan");
        const std::string line = std::string(c.value) + " Interaction with: New Practice 2";
        const auto current = Segment(*document, "CurrentPracticeInteractions", true);
        EXPECT_EQ(std::count(current.begin(), current.end(), "S|" + line + "|10|4|b|-"),
                  c.current ? 1 : 0);
        EXPECT_EQ(std::count(current.begin(), current.end(), "T|Budgets follow the plan|12|5|-"),
                  c.current ? 1 : 0);
        const auto alternative = Segment(*document, "AlternativePracticeInteractions", true);
        EXPECT_EQ(std::count(alternative.begin(), alternative.end(), "S|" + line + "|12|4|-|-"),
                  c.alternative ? 1 : 0);
        for (const char* segment : {"CurrentPracticeInteractionsHighlighted",
                                    "AlternativePracticeInteractionsHighlighted"}) {
            const auto calls = Segment(*document, segment, true);
            EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                                    [](const std::string& call) { return call[0] == 'R'; }),
                      c.highlighted ? 1 : 0)
                << segment;
        }
    }
}

TEST_F(WordReportTest, HighlightedInteractionsNeedADescriptionWhateverTheDescriptionChoice) {
    struct Case {
        const char* description;
        bool printDescription;
        bool listed;
    };
    const std::vector<Case> cases = {
        {"Budgets follow the plan", true, true},
        {"Budgets follow the plan", false, true},
        {"ab", true, false},
        {"ab", false, false},
        {"", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.description) + (c.printDescription ? " +desc" : " -desc"));
        auto document = NewDocument(1);
        const auto interaction = Cross(*document, 1);
        interaction->setValue("-");
        interaction->setNote("see 3.1");
        interaction->color = 0x0000FF;
        interaction->setDescription(c.description);
        const auto calls =
            Segment(*document, "CurrentPracticeInteractionsHighlighted", c.printDescription);
        std::vector<std::string> rows;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(rows),
                     [](const std::string& call) { return call[0] == 'R'; });
        if (c.listed) {
            EXPECT_THAT(rows, ElementsAre("R|4.2|see 3.1|-|255|Existing Practice 1|New Practice "
                                          "1|Budgets follow the plan"));
        } else {
            EXPECT_TRUE(rows.empty());
        }
        // No practice headings in the highlighted listing.
        EXPECT_THAT(calls, Not(Contains("S|Practice 1:|10|3|-|-")));
        EXPECT_EQ(calls.front(), "S|--- Current Practice Interactions Highlighted ---|16|0|b|x");
        EXPECT_EQ(calls.back(), "BRK");
    }
}

TEST_F(WordReportTest, TheOtherPracticeIsFoundByName) {
    auto document = NewDocument(1);
    const auto interaction = Cross(*document, 1);
    interaction->setValue("+");
    interaction->setDescription("Shared name");
    interaction->color = 0x00FF00;
    const auto practice1 = interaction->Practice1.lock();
    const auto practice2 = interaction->practice2.lock();
    practice2->setName("Twin");
    practice1->setName("Twin");
    // Both named alike: the listing names practice2, and practice1 counts as the own side.
    const auto calls = Segment(*document, "CurrentPracticeInteractions", false);
    EXPECT_THAT(calls, Contains("S|+ Interaction with: Twin|10|4|b|-"));
    practice1->setName("First");
    const auto listedFromSecond =
        Segment(*document, "AlternativePracticeInteractionsHighlighted", false);
    // Listed from the existing practice: own name is the existing practice's.
    const std::string existingName = ExistingPractice(*document, 1)->Name();
    const std::string otherName = existingName == "First" ? "Twin" : "First";
    EXPECT_THAT(listedFromSecond,
                Contains("R|4.2||+|65280|" + existingName + "|" + otherName + "|Shared name"));
}

TEST_F(WordReportTest, AttributionWritesDocumentationOnlyWhenItSaysSomething) {
    for (const auto& [distribution, shown] :
         std::vector<std::pair<std::string, bool>>{{"ab", false}, {"abc", true}, {"", false}}) {
        SCOPED_TRACE(distribution);
        auto document = NewDocument(1);
        document->Authors = "Ann";
        document->Distribution = distribution;
        const auto calls = Segment(*document, "MatrixAttribution", false);
        EXPECT_EQ(calls.front(), "N");
        EXPECT_EQ(calls[1], "S|Attribution:|14|1|-|x");
        EXPECT_EQ(calls[2], "S|--- Authors ---|12|1|-|-");
        EXPECT_EQ(calls[3], "T|Ann|12|1|b");
        // Empty fields still get their heading.
        EXPECT_THAT(calls, Contains("S|--- Sources ---|12|1|-|-"));
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "S|--- Documentation ---|12|1|-|-"),
                  shown ? 1 : 0);
        EXPECT_EQ(calls[calls.size() - 2], "S|--- VRN Version 0.1.0 ---|12|1|-|-");
        EXPECT_EQ(calls.back(), "BRK");
    }
}

TEST_F(WordReportTest, NameAndMetaDataSegments) {
    auto document = NewDocument(1);
    document->title = "Plan";
    EXPECT_THAT(Segment(*document, "MatrixName", false), ElementsAre("S|Plan|16|0|b|-"));
    EXPECT_THAT(Segment(*document, "MatrixMetaData", false),
                ElementsAre("S| Software Version: |14|0|b|-", "P| --- V 0.1.0 -----   |12|1|-"));
}

TEST_F(WordReportTest, DescriptionIsTheActiveAlternatives) {
    auto document = NewDocument(2);
    document->alternative(1)->Description = "First way";
    document->alternative(2)->Description = "Second way";
    document->use_alternative(true, 2);
    EXPECT_THAT(Segment(*document, "MatrixDescription", false),
                ElementsAre("S| Description: |14|1|-|x", "T|Second way|14|1|b"));

    // Without an active alternative the segment ends quietly after what it wrote.
    auto bare = NewDocument(0);
    EXPECT_THAT(Segment(*bare, "MatrixDescription", false),
                ElementsAre("S| Description: |14|1|-|x"));
    EXPECT_TRUE(messages.shown().empty());
}

// The calls of `word` with "K " before those made while paragraphs keep with the next.
std::vector<std::string> MarkKept(const RecordingWordDocument& word) {
    std::vector<std::string> marked;
    for (std::size_t i = 0; i < word.calls.size(); ++i) {
        marked.push_back((word.keptWithNext[i] ? "K " : "") + word.calls[i]);
    }
    return marked;
}

// Headings keep with what they head: segment headings, state and group names, practice names
// with lines under them, and the labels of descriptions and attributions. Body text, listed
// lines with nothing under them and names that head nothing do not, so that no run of kept
// lines grows over a page.
TEST_F(WordReportTest, HeadingsKeepWithWhatTheyHead) {
    auto document = NewDocument(1);
    document->Existing()->Description = "Where we are";
    const auto first = ExistingPractice(*document, 1);
    first->setDescription("Yearly");
    first->Discussion = "http://wiki/budget";
    ExistingPractice(*document, 2)->Discussion = "http://wiki/review";
    RecordingWordDocument practices;
    WordReport_Segment(*document, practices, "CurrentPractices", true);
    EXPECT_THAT(MarkKept(practices),
                ElementsAre("K S|--- Current Practices ---|16|0|b|x",  //
                            "K P|Existing Practices|14|1|b",           //
                            "K S|Description:|10|2|-|-",               //
                            "T|Where we are|12|2|-",                   //
                            "K S|Practice Group 1:|10|2|-|x",          //
                            "K P|Existing Practices Group|12|2|b",     //
                            "K S|Practice 1:|10|3|-|-",                //
                            "K P|Existing Practice 1|12|3|b",          //
                            "K S|Description:|10|4|-|-",               //
                            "T|Yearly|12|4|-",                         //
                            "S|Discussion URL: http://wiki/budget|12|4|-|-",
                            "K S|Practice 2:|10|3|-|-",        //
                            "K P|Existing Practice 2|12|3|b",  //
                            "S|Discussion URL: http://wiki/review|12|4|-|-",
                            "K S|Practice 3:|10|3|-|-",      //
                            "P|Existing Practice 3|12|3|b",  //
                            "BRK"));

    Cross(*document, 1)->setValue("+");
    Cross(*document, 1)->setDescription("Budgets follow the plan");
    Cross(*document, 1)->color = 0x0000FF;
    Cross(*document, 2)->setValue("-");
    Cross(*document, 3)->setValue(" ");  // not listed for the existing state
    RecordingWordDocument listing;
    WordReport_Segment(*document, listing, "CurrentPracticeInteractions", true);
    EXPECT_THAT(MarkKept(listing), ElementsAre("K S|--- Current Practice Interactions ---|16|0|b|x",
                                               "K P|Existing Practices|14|1|b",        //
                                               "K S|Practice Group 1:|10|2|-|x",       //
                                               "K P|Existing Practices Group|12|2|b",  //
                                               "K S|Practice 1:|10|3|-|-",             //
                                               "K P|Existing Practice 1|12|3|b",       //
                                               "K S|+ Interaction with: New Practice 1|10|4|b|-",
                                               "T|Budgets follow the plan|12|5|-",  //
                                               "K S|Practice 2:|10|3|-|-",          //
                                               "K P|Existing Practice 2|12|3|b",    //
                                               "S|- Interaction with: New Practice 2|10|4|b|-",
                                               "K S|Practice 3:|10|3|-|-",      //
                                               "P|Existing Practice 3|12|3|b",  //
                                               "BRK"));

    // The highlighted tables keep with their label themselves: the headings above them keep.
    RecordingWordDocument highlighted;
    WordReport_Segment(*document, highlighted, "CurrentPracticeInteractionsHighlighted", false);
    EXPECT_THAT(
        MarkKept(highlighted),
        ElementsAre("K S|--- Current Practice Interactions Highlighted ---|16|0|b|x",
                    "K P|Existing Practices|14|1|b",        //
                    "K S|Practice Group 1:|10|2|-|x",       //
                    "K P|Existing Practices Group|12|2|b",  //
                    "R|4.2||+|255|Existing Practice 1|New Practice 1|Budgets follow the plan",
                    "BRK"));

    document->Authors = "Ann";
    RecordingWordDocument attribution;
    WordReport_Segment(*document, attribution, "MatrixAttribution", false);
    const std::vector<std::string> marked = MarkKept(attribution);
    EXPECT_THAT(std::vector<std::string>(marked.begin(), marked.begin() + 4),
                ElementsAre("N", "K S|Attribution:|14|1|-|x", "K S|--- Authors ---|12|1|-|-",
                            "T|Ann|12|1|b"));
    EXPECT_EQ(marked[marked.size() - 2], "S|--- VRN Version 0.1.0 ---|12|1|-|-");
}

// Keeping never reaches past a segment, whichever way the segment ends.
TEST_F(WordReportTest, KeepingEndsWithEverySegment) {
    auto bare = NewDocument(0);
    auto document = NewDocument(2);
    Cross(*document, 1)->setValue("+");
    for (VRN_Matrix* matrix : {bare.get(), document.get()}) {
        for (const char* segment :
             {"MatrixName", "MatrixDescription", "MatrixMetaData", "MatrixAttribution",
              "CurrentPractices", "CurrentPracticeInteractions",
              "CurrentPracticeInteractionsHighlighted", "MatrixAllAlternatives",
              "AlternativePracticeInteractions", "AlternativePracticeInteractionsHighlighted"}) {
            SCOPED_TRACE(std::string(segment) + (matrix == bare.get() ? " (bare)" : ""));
            RecordingWordDocument word;
            WordReport_Segment(*matrix, word, segment, true);
            word.Word_TypeParagraph();
            EXPECT_FALSE(word.keptWithNext.back());
        }
    }
}

TEST_F(WordReportTest, UnknownSegmentNamesAreReportedAndWriteNothing) {
    auto document = NewDocument(1);
    for (const std::string name : {"matrixname", "MatrixName ", "", "CurrentPracticeNames"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Segment(*document, name, true).empty());
        ASSERT_FALSE(messages.shown().empty());
        EXPECT_EQ(messages.shown().back().prompt, "unrecognized segment name: " + name);
    }
}

}  // namespace
}  // namespace vrn::testing
