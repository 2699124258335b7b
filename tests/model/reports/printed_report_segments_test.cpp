#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/reports/printed_report.h"
#include "model/reports/printed_report_pages.h"
#include "tests/model/reports/printed_report_fixture.h"
#include "tests/support/model_doubles/recording_page_output.h"
#include "tests/support/model_doubles/recording_printer.h"

namespace vrn::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using Calls = std::vector<std::string>;

class PrintedReportTest : public ReportFixture {
protected:
    Calls segment(VRN_Matrix& document, const std::string& name, bool descriptions = false) {
        RecordingPageOutput output;
        PrintedReport(document, output).PrintReportSegment(name, descriptions);
        return output.calls();
    }
};

// The frame of the report and the call that opens each segment.
Calls reportOutline(const Calls& calls) {
    Calls outline;
    for (const auto& call : calls) {
        if (call == "Setup" || call == "EndDoc" || call.starts_with("P ") ||
            call.starts_with("B 22 0 ") || call.starts_with("B 16 0 ") ||
            call == "B 14 1 plain rule [foot]  Description: " ||
            call == "B 14 1 plain rule [foot] Attribution:") {
            outline.push_back(call);
        }
    }
    return outline;
}

void clearFlags(VRN_Matrix& document) {
    document.set_Report_Defaults();
    for (std::int16_t* flag :
         {&document.rpt_MatrixImage, &document.rpt_MatrixDescription,
          &document.rpt_MatrixAttribution, &document.rpt_CurrentPracticeDescriptions,
          &document.rpt_TargetPracticeDescriptions, &document.rpt_IncludeHiddenAlternatives,
          &document.rpt_IncludeAlternativeImages, &document.rpt_CurrentPracticeInteractions,
          &document.rpt_TargetPracticeInteractions, &document.rpt_CurrentTargetInteractions,
          &document.rpt_InteractionValues, &document.rpt_InteractionDescriptions,
          &document.rpt_CurrentPractices}) {
        *flag = 0;
    }
}

TEST_F(PrintedReportTest, FlagsChooseTheSegmentsInReportOrder) {
    const std::string picture = "P 4x3 nofit 86 [foot]";
    const std::string title = "B 22 0 bold rule [foot] Varnel";
    const std::string description = "B 14 1 plain rule [foot]  Description: ";
    const std::string attribution = "B 14 1 plain rule [foot] Attribution:";
    const std::string current = "B 16 0 bold rule [] --- Current Practices ---";
    const std::string currentInteractions =
        "B 16 0 bold rule [] --- Current Practice Interactions ---";
    const std::string targets = "B 16 0 bold rule [foot] --- Target Practices ---";
    const std::string targetInteractions =
        "B 16 0 bold rule [foot] --- Target Practice Interactions ---";

    const struct {
        const char* name;
        std::function<void(VRN_Matrix&)> flags;
        bool image;
        Calls expected;
    } cases[] = {
        {"defaults with the picture",
         [](VRN_Matrix& d) { d.set_Report_Defaults(); },
         true,
         {picture, "Setup", title, description, attribution, current, currentInteractions, targets,
          targetInteractions, "EndDoc"}},
        {"every flag False", clearFlags, false, {"Setup", title, "EndDoc"}},
        {"every flag False with the picture",
         clearFlags,
         true,
         {picture, "Setup", title, "EndDoc"}},
        {"flag values other than True choose too",
         [](VRN_Matrix& d) {
             clearFlags(d);
             d.rpt_CurrentPractices = 1;
             d.rpt_TargetPracticeInteractions = 2;
         },
         false,
         {"Setup", title, current, targetInteractions, "EndDoc"}},
        {"descriptions alone choose nothing",
         [](VRN_Matrix& d) {
             clearFlags(d);
             d.rpt_CurrentPracticeDescriptions = -1;
             d.rpt_TargetPracticeDescriptions = -1;
             d.rpt_InteractionDescriptions = -1;
             d.rpt_MatrixImage = -1;
         },
         false,
         {"Setup", title, "EndDoc"}},
        {"only the alternatives",
         [](VRN_Matrix& d) {
             clearFlags(d);
             d.rpt_IncludeHiddenAlternatives = -1;
         },
         false,
         {"Setup", title, targets, "EndDoc"}},
    };
    const ReportPicture image{4, 3, std::vector<std::uint32_t>(12, 0xFF000000U)};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto document = ReportDocument();
        c.flags(*document);
        RecordingPageOutput output;
        PrintedReport(*document, output).PrintReport(c.image ? &image : nullptr);
        EXPECT_THAT(reportOutline(output.calls()), ElementsAreArray(c.expected));
    }
}

TEST_F(PrintedReportTest, OnlyTrueSwitchesDescriptionsOn) {
    const struct {
        std::int16_t descriptions;
        bool printed;
    } cases[] = {{-1, true}, {1, false}, {0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.descriptions);
        auto document = ReportDocument();
        clearFlags(*document);
        document->rpt_CurrentPractices = -1;
        document->rpt_CurrentPracticeDescriptions = c.descriptions;
        existingPractice(*document, 1)->setDescription("Weekly plan");
        RecordingPageOutput output;
        PrintedReport(*document, output).PrintReport(nullptr);
        const bool printed = std::find(output.calls().begin(), output.calls().end(),
                                       "W 12 4 plain [foot] Weekly plan") != output.calls().end();
        EXPECT_EQ(printed, c.printed);
    }
}

TEST_F(PrintedReportTest, SimpleSegments) {
    auto document = ReportDocument(2);
    document->Alternatives_col.Item(1)->Description = "First plan";
    document->Alternatives_col.Item(2)->Description = "Second plan";
    document->use_alternative(true, 2);

    EXPECT_THAT(segment(*document, "MatrixName"), ElementsAre("B 16 0 bold - [] Lean"));
    EXPECT_THAT(
        segment(*document, "MatrixDescription"),
        ElementsAre("B 14 1 plain rule [foot]  Description: ", "W 14 1 bold [foot] Second plan"));
    document->use_alternative(true, 1);
    EXPECT_THAT(
        segment(*document, "MatrixDescription"),
        ElementsAre("B 14 1 plain rule [foot]  Description: ", "W 14 1 bold [foot] First plan"));
    EXPECT_THAT(segment(*document, "MatrixMetaData"),
                ElementsAre("B 14 0 bold - []  Software Version: ",
                            "S 12 1 plain []  --- V 0.1.0 -----   \r\n"));
}

TEST_F(PrintedReportTest, AttributionDropsOnlyAShortDocumentation) {
    auto document = ReportDocument();
    document->Authors = "Ann";
    document->Review = "Draft";
    const Calls head = {
        "B 14 1 plain rule [foot] Attribution:",
        "B 12 1 plain - [foot] --- Authors ---",
        "W 12 1 bold [foot] Ann",
        "B 12 1 plain - [foot] --- Project ---",
        "W 12 1 bold [foot] ",
        "B 12 1 plain - [foot] --- Modified ---",
        "W 12 1 bold [foot] ",
        "B 12 1 plain - [foot] --- Sources ---",
        "W 12 1 bold [foot] ",
        "B 12 1 plain - [foot] --- Review Status ---",
        "W 12 1 bold [foot] Draft",
    };
    const Calls tail = {"B 12 1 plain - [foot] --- VRN Version 0.1.0 ---", "F [foot] new"};

    document->Distribution = "ab";
    Calls expected = head;
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_THAT(segment(*document, "MatrixAttribution"), ElementsAreArray(expected));

    document->Distribution = "abc";
    expected = head;
    expected.push_back("B 12 1 plain - [foot] --- Documentation ---");
    expected.push_back("W 12 1 bold [foot] abc");
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_THAT(segment(*document, "MatrixAttribution"), ElementsAreArray(expected));
}

TEST_F(PrintedReportTest, CurrentPracticesWithAndWithoutDescriptions) {
    auto document = ReportDocument();
    document->Existing()->Description = "State text";
    existingPractice(*document, 1)->setDescription("Does E1");
    existingPractice(*document, 1)->Discussion = "http://x";
    existingPractice(*document, 2)->setDescription("ok");  // too short to print
    existingPractice(*document, 2)->Discussion = "ab";

    EXPECT_THAT(
        segment(*document, "CurrentPractices", true),
        ElementsAre("B 16 0 bold rule [] --- Current Practices ---", "S 14 1 bold [foot] Now",
                    "B 10 2 plain - [foot] Description:", "W 12 2 plain [foot] State text",
                    "B 10 2 plain rule [foot] Practice Group 1:", "S 12 2 bold [foot] Ops",
                    "B 10 3 plain - [foot] Practice 1:", "S 12 3 bold [foot] E1",
                    "B 10 4 plain - [foot] Description:", "W 12 4 plain [foot] Does E1",
                    "B 12 4 plain - [foot] Discussion URL: http://x",
                    "B 10 3 plain - [foot] Practice 2:", "S 12 3 bold [foot] E2",
                    "B 10 3 plain - [foot] Practice 3:", "S 12 3 bold [foot] E3", "F [foot] new"));
    EXPECT_THAT(
        segment(*document, "CurrentPractices"),
        ElementsAre("B 16 0 bold rule [] --- Current Practices ---", "S 14 1 bold [foot] Now",
                    "B 10 2 plain rule [foot] Practice Group 1:", "S 12 2 bold [foot] Ops",
                    "B 10 3 plain - [foot] Practice 1:", "S 12 3 bold [foot] E1",
                    "B 10 3 plain - [foot] Practice 2:", "S 12 3 bold [foot] E2",
                    "B 10 3 plain - [foot] Practice 3:", "S 12 3 bold [foot] E3", "F [foot] new"));
}

// Headings, state lines and page ends only: the group and practice lines left out.
Calls skeleton(const Calls& calls) {
    Calls kept;
    for (const auto& call : calls) {
        if (!call.starts_with("B 10 ") && !call.starts_with("S 12 ")) {
            kept.push_back(call);
        }
    }
    return kept;
}

TEST_F(PrintedReportTest, AlternativesWithOneOrThree) {
    auto one = ReportDocument(1);
    one->Alternatives_col.Item(1)->Description = "Only plan";
    EXPECT_THAT(
        skeleton(segment(*one, "MatrixAllAlternatives", true)),
        ElementsAre("B 16 0 bold rule [foot] --- Target Practices ---", "S 14 1 plain [foot] Alt 1",
                    "W 12 2 plain [foot] Only plan", "F [foot] new"));
    EXPECT_THAT(segment(*one, "MatrixAllAlternatives", true),
                ::testing::Contains("B 10 2 bold - [foot] Description:"));

    auto three = ReportDocument(3);
    EXPECT_THAT(skeleton(segment(*three, "MatrixAllAlternatives")),
                ElementsAre("B 16 0 bold rule [foot] --- Target Practices --- 3 Alternatives  ---",
                            "B 14 1 bold rule []  Alternative 1 of 3", "S 14 1 plain [foot] Alt 1",
                            "F [foot] new", "B 14 1 bold rule []  Alternative 2 of 3",
                            "S 14 1 plain [foot] Alt 2", "F [foot] new",
                            "B 14 1 bold rule []  Alternative 3 of 3", "S 14 1 plain [foot] Alt 3",
                            "F [foot] new"));
}

class InteractionSegmentTest : public PrintedReportTest {
protected:
    void SetUp() override {
        document = ReportDocument(2);
        const auto e1 = existingPractice(*document, 1);
        const auto e2 = existingPractice(*document, 2);
        auto plus = between(*e1, *targetPractice(*document, 1, 1));
        plus->setValue("+");
        plus->setDescription("Because");
        plus->setDiscussion("http://d");
        between(*e1, *targetPractice(*document, 1, 2))->setValue(" ");
        auto minus = between(*e2, *targetPractice(*document, 1, 1));
        minus->setValue("-");
        minus->setDescription("ab");  // too short to print
        between(*e1, *targetPractice(*document, 2, 3))->setValue("?");
    }
    std::shared_ptr<VRN_Matrix> document;
};

TEST_F(InteractionSegmentTest, CurrentInteractionsLeaveBlankValuesOut) {
    EXPECT_THAT(
        segment(*document, "CurrentPracticeInteractions", true),
        ElementsAre("B 16 0 bold rule [] --- Current Practice Interactions ---",
                    "S 14 1 bold [foot] Now",
                    "B 10 2 plain rule [foot] Practice Group 1:", "S 12 2 bold [foot] Ops",
                    "B 10 3 plain - [foot] Practice 1:", "S 12 3 bold [foot] E1",
                    "B 10 4 bold - [foot] + Interaction with: T1.1", "W 12 5 plain [foot] Because",
                    "B 10 5 plain - [foot] Discussion URL: http://d",
                    "B 10 4 bold - [foot] ? Interaction with: T2.3",
                    "B 10 3 plain - [foot] Practice 2:", "S 12 3 bold [foot] E2",
                    "B 10 4 bold - [foot] - Interaction with: T1.1",
                    "B 10 3 plain - [foot] Practice 3:", "S 12 3 bold [foot] E3", "F [foot] new"));
}

TEST_F(InteractionSegmentTest, EveryAlternativeListsTheExistingPracticesWithBlanks) {
    const Calls listing = {
        "B 10 2 plain rule [foot] Practice Group 1:",
        "S 12 2 bold [foot] Ops",
        "B 10 3 plain - [foot] Practice 1:",
        "S 12 3 bold [foot] E1",
        "B 12 4 plain - [foot] + Interaction with: T1.1",
        "B 12 4 plain - [foot]   Interaction with: T1.2",
        "B 12 4 plain - [foot] ? Interaction with: T2.3",
        "B 10 3 plain - [foot] Practice 2:",
        "S 12 3 bold [foot] E2",
        "B 12 4 plain - [foot] - Interaction with: T1.1",
        "B 10 3 plain - [foot] Practice 3:",
        "S 12 3 bold [foot] E3",
    };
    Calls expected = {
        "B 16 0 bold rule [foot] --- Target Practice Interactions: 2 Alternatives  ---"};
    for (int i = 1; i <= 2; ++i) {
        if (i > 1) {
            expected.push_back("F [foot] new");
        }
        expected.push_back("B 14 1 bold rule []  Alternative Interactions " + std::to_string(i) +
                           " of 2");
        expected.push_back("S 14 1 plain [foot] Alt " + std::to_string(i));
        expected.insert(expected.end(), listing.begin(), listing.end());
    }
    expected.push_back("F [foot] new");
    EXPECT_THAT(segment(*document, "AlternativePracticeInteractions"), ElementsAreArray(expected));
}

TEST_F(PrintedReportTest, UnknownSegmentNameShowsTheMessageAndPrintsNothing) {
    auto document = ReportDocument();
    for (const std::string name : {"matrixName", "CURRENTPRACTICES", "CurrentPracticeNames", ""}) {
        SCOPED_TRACE(name);
        const auto before = messages.shown().size();
        EXPECT_THAT(segment(*document, name), IsEmpty());
        ASSERT_EQ(messages.shown().size(), before + 1);
        EXPECT_EQ(messages.shown().back().prompt, "unrecognized segment name: " + name);
        EXPECT_EQ(messages.shown().back().buttons, MsgButtons::OKOnly);
        EXPECT_EQ(messages.shown().back().title, "");
    }
}

TEST_F(PrintedReportTest, AFailedSegmentEndsAloneAndTheReportSaysSoAtTheEnd) {
    auto document = NewDocument(0, true);  // no alternative: the description cannot be read
    document->footer = "foot";
    document->set_Report_Defaults();
    RecordingPageOutput output;
    output.failOn("--- Sources ---");  // the attribution breaks off in the middle

    try {
        PrintedReport(*document, output).PrintReport(nullptr);
        FAIL() << "the report looked complete";
    } catch (const ReportError& error) {
        ASSERT_EQ(error.failures().size(), 2U);
        EXPECT_THAT(error.failures()[0], ::testing::StartsWith("MatrixDescription: "));
        EXPECT_THAT(error.failures()[1], ::testing::StartsWith("MatrixAttribution: "));
        EXPECT_THAT(error.what(), HasSubstr("The report is incomplete"));
    }
    const Calls& calls = output.calls();
    // The attribution stops at the failing heading; the segments after it print whole.
    EXPECT_THAT(calls, ::testing::Contains("W 12 1 bold [foot] "));
    EXPECT_THAT(calls,
                ::testing::Not(::testing::Contains("B 12 1 plain - [foot] --- Review Status ---")));
    EXPECT_THAT(reportOutline(calls),
                ElementsAre("Setup", "B 22 0 bold rule [foot] Varnel",
                            "B 14 1 plain rule [foot]  Description: ",
                            "B 14 1 plain rule [foot] Attribution:",
                            "B 16 0 bold rule [] --- Current Practices ---",
                            "B 16 0 bold rule [] --- Current Practice Interactions ---",
                            "B 16 0 bold rule [foot] --- Target Practices --- 0 Alternatives  ---",
                            "B 16 0 bold rule [foot] --- Target Practice Interactions: 0 "
                            "Alternatives  ---",
                            "EndDoc"));
}

TEST_F(PrintedReportTest, ErrorsOutsideTheSegmentsReachTheCallerAtOnce) {
    auto document = ReportDocument();
    document->set_Report_Defaults();
    RecordingPageOutput output;
    output.failOn("Varnel");
    EXPECT_THROW(PrintedReport(*document, output).PrintReport(nullptr), std::runtime_error);
    EXPECT_THAT(output.calls(), ElementsAre("Setup"));
}

TEST_F(PrintedReportTest, OnThePrinterEveryPageEndsWithItsFooter) {
    auto document = ReportDocument(2);
    document->set_Report_Defaults();
    const ReportPicture image{4, 3, std::vector<std::uint32_t>(12, 0xFF000000U)};
    RecordingPrinter printer;
    document->PrintReport(printer, &image);

    EXPECT_EQ(printer.jobsEnded(), 1);
    ASSERT_EQ(printer.pictures().size(), 1U);
    EXPECT_EQ(printer.pictures()[0].page, 1);
    EXPECT_EQ(printer.find("Varnel")->page, 2);
    // Each page that was started was ended with the footer and its number first.
    for (int page = 1; page <= printer.pagesStarted(); ++page) {
        const auto number = printer.find("Page: " + std::to_string(page));
        ASSERT_TRUE(number) << page;
        EXPECT_EQ(number->page, page);
    }
}

TEST_F(PrintedReportTest, ANameOverTwoLinesKeepsItsIndentOnThePrinter) {
    auto document = ReportDocument();
    existingPractice(*document, 1)->setName("Line one\nLine two");
    RecordingPrinter printer;
    document->PrintReportSegment(printer, "CurrentPractices");
    const auto first = printer.find("Line one");
    const auto second = printer.find("Line two");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->x, 1200 + 3 * 550);  // the practice's indent
    EXPECT_EQ(second->x, first->x);
    EXPECT_EQ(second->y, first->y + 12 * RecordingPrinter::kLineHeightPerPoint);
    // The next heading comes below both lines.
    EXPECT_GT(printer.find("Practice 2:")->y, second->y);
}

// The name is printed in pieces a line long, under the practice and in every interaction line
// that names it; each time all of it, in order.
TEST_F(PrintedReportTest, ANameOfFiftyThousandCharactersPrintsWholeWhereverItIsNamed) {
    const std::string letter = "\xC3\xA9";  // two bytes
    std::string name;
    for (int i = 0; i < 50000; ++i) {
        name += letter;
    }
    auto document = ReportDocument();
    document->set_Report_Defaults();
    existingPractice(*document, 1)->setName(name);
    between(*existingPractice(*document, 1), *existingPractice(*document, 2))->setValue("+");
    RecordingPrinter printer;
    document->PrintReport(printer, nullptr);

    const auto onlyLetters = [&](const std::string& text) {
        return !text.empty() && text.find_first_not_of(letter) == std::string::npos;
    };
    // The footer prints from here down, and the name never reaches it: a name longer than a
    // page goes on at the top of the next.
    const double footer = RecordingPrinter::kLetterHeight - PrinterPageOutput::kFooterFromBottom;
    std::vector<std::string> printed;
    bool inName = false;
    for (const auto& text : printer.texts()) {
        if (text.y >= footer) {
            continue;
        }
        if (onlyLetters(text.text)) {
            EXPECT_LE(text.y + text.font.Size * RecordingPrinter::kLineHeightPerPoint, footer);
            if (!inName) {
                printed.emplace_back();
            }
            printed.back() += text.text;
            EXPECT_LE(text.x + static_cast<double>(text.text.size() / 2) * text.font.Size *
                                   RecordingPrinter::kCharWidthPerPoint,
                      RecordingPrinter::kLetterWidth - 1200);
        }
        inName = onlyLetters(text.text);
    }
    // The interaction lines' boxes are drawn a page at a time.
    for (const auto& box : printer.boxes()) {
        EXPECT_LE(box.y2, footer);
    }
    // Under the practice, and named by its interaction under each of the two practices and again
    // under the alternative.
    EXPECT_GE(printed.size(), 4U);
    for (const auto& whole : printed) {
        EXPECT_TRUE(whole == name) << whole.size() << " bytes";
    }
}

TEST_F(PrintedReportTest, PrinterFailuresAreReported) {
    auto document = ReportDocument();
    document->set_Report_Defaults();
    {
        RecordingPrinter printer;
        printer.failOnText("Practice Group 1:");
        try {
            document->PrintReport(printer, nullptr);
            FAIL() << "no error";
        } catch (const ReportError& error) {
            EXPECT_TRUE(error.jobEnded());
        }
        EXPECT_EQ(printer.jobsEnded(), 1);  // what could be printed went out
    }
    {
        RecordingPrinter printer;
        printer.failOnEndDoc();
        EXPECT_THROW(document->PrintReport(printer, nullptr), PrinterError);
    }
    {
        RecordingPrinter printer;
        printer.failOnText("Practice Group 1:");
        printer.failOnEndDoc();
        try {
            document->PrintReport(printer, nullptr);
            FAIL() << "no error";
        } catch (const ReportError& error) {
            EXPECT_THAT(error.failures(),
                        ElementsAre(::testing::StartsWith("CurrentPractices: "),
                                    ::testing::StartsWith("end of the print job: ")));
            // Nothing was delivered, and the message does not say otherwise.
            EXPECT_FALSE(error.jobEnded());
            EXPECT_THAT(error.what(), ::testing::StartsWith("The report could not be printed"));
        }
    }
    {
        RecordingPrinter printer;
        printer.failOnText("Attribution:");
        EXPECT_THROW(document->PrintReportSegment(printer, "MatrixAttribution"), PrinterError);
    }
}

TEST_F(PrintedReportTest, RestoringDefaultsSetsTheSixteenFlagsOnly) {
    auto document = ReportDocument();
    clearFlags(*document);
    document->rpt_IncludeCustomFields = -1;
    document->rpt_BlankInteractions = 1;
    document->rpt_Options_Print = false;
    document->rpt_Export_Word = true;
    document->set_Report_Defaults();
    const std::vector<std::int16_t> flags = {
        document->rpt_MatrixImage,
        document->rpt_MatrixDescription,
        document->rpt_MatrixAttribution,
        document->rpt_CurrentPracticeDescriptions,
        document->rpt_TargetPracticeDescriptions,
        document->rpt_IncludeHiddenAlternatives,
        document->rpt_IncludeAlternativeImages,
        document->rpt_IncludeCustomFields,
        document->rpt_IncludeCustomImages,
        document->rpt_CurrentPracticeInteractions,
        document->rpt_TargetPracticeInteractions,
        document->rpt_CurrentTargetInteractions,
        document->rpt_InteractionValues,
        document->rpt_InteractionDescriptions,
        document->rpt_BlankInteractions,
        document->rpt_CurrentPractices,
    };
    EXPECT_THAT(flags, ElementsAre(-1, -1, -1, -1, -1, -1, -1, 0, 0, -1, -1, -1, -1, -1, 0, -1));
    EXPECT_FALSE(document->rpt_Options_Print);
    EXPECT_TRUE(document->rpt_Export_Word);
}

}  // namespace
}  // namespace vrn::testing
