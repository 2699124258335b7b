#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/model/reports/printed_report_fixture.h"
#include "tests/support/model_doubles/recording_text_report_box.h"

namespace vrn::testing {
namespace {

const std::string U45(45, '_');
const std::string U40(40, '_');
const std::string U28(28, '_');
const std::string U16(16, '_');
const std::string CRLF = "\r\n";

class TextReportTest : public ReportFixture {
protected:
    void SetUp() override {
        document = ReportDocument();
        document->Authors = "Ann";
        document->Assignment = "Lean plant";
        document->Distribution = "ab";
    }
    std::shared_ptr<VRN_Matrix> document;
};

TEST_F(TextReportTest, NameAndDescription) {
    EXPECT_EQ(document->GetText("MatrixName"), U45 + CRLF + "Lean  Plant" + CRLF + U45 + CRLF);
    document->Name.clear();
    EXPECT_EQ(document->GetText("MatrixName"), U45 + CRLF + "Lean  " + CRLF + U45 + CRLF);

    document->Alternatives_col.Item(1)->Description = "First plan";
    EXPECT_EQ(document->GetText("MatrixDescription"), "First plan" + U45 + CRLF);
}

TEST_F(TextReportTest, BannerAndAttribution) {
    EXPECT_EQ(document->GetText("MatrixMetaData"),
              CRLF + CRLF + CRLF + CRLF + CRLF + CRLF + U45 + CRLF + "    ----- Varnel -----   " +
                  CRLF + "    ----- V 0.1.0 -----   " + CRLF + U45 + CRLF);
    // Every heading is written, the short documentation too.
    EXPECT_EQ(document->GetText("MatrixAttribution"),
              CRLF + CRLF +                                                      //
                  "    --- Authors ---   " + CRLF + "Ann" + CRLF + U16 + CRLF +  //
                  "    --- Project ---   " + CRLF + "Lean plant" + CRLF + U16 + CRLF +
                  "    --- Modified ---   " + CRLF + CRLF + U16 + CRLF +       //
                  "    --- Sources ---   " + CRLF + CRLF + U16 + CRLF +        //
                  "    --- Review Status ---   " + CRLF + CRLF + U16 + CRLF +  //
                  "    --- Documentation ---   " + CRLF + "ab" + CRLF + U16 + CRLF +
                  "    --- Footer ---   " + CRLF + "foot" + CRLF + U28 + CRLF + U40 + CRLF);
}

TEST_F(TextReportTest, AlternativesWithAndWithoutDescriptions) {
    const auto& alternative = document->Alternatives_col.Item(1);
    alternative->Description = "D plan";
    targetPractice(*document, 1, 1)->setDescription("Long enough");
    targetPractice(*document, 1, 2)->setDescription("ab");  // too short to write

    EXPECT_EQ(document->GetText("MatrixAllAlternatives", true),
              U45 + CRLF + "Alt 1" + CRLF + U40 + CRLF +                //
                  "Description:: " + CRLF + "D plan" + CRLF + CRLF +    //
                  CRLF + "Plan 1" + CRLF +                              //
                  CRLF + "T1.1" + CRLF + "Long enough" + CRLF + CRLF +  //
                  CRLF + "T1.2" + CRLF +                                //
                  CRLF + "T1.3" + CRLF +                                //
                  U45 + CRLF);
    EXPECT_EQ(document->GetText("MatrixAllAlternatives"),
              U45 + CRLF + "Alt 1" + CRLF + U40 + CRLF +  //
                  CRLF + "Plan 1" + CRLF +                //
                  CRLF + "T1.1" + CRLF +                  //
                  CRLF + "T1.2" + CRLF +                  //
                  CRLF + "T1.3" + CRLF +                  //
                  U45 + CRLF);
}

TEST_F(TextReportTest, NamesItDoesNotKnow) {
    const struct {
        const char* segment;
        bool message;
    } cases[] = {
        {"CurrentPracticeNames", false},
        {"CurrentPractices", true},
        {"AlternativePracticeInteractions", true},
        {"matrixname", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.segment);
        const auto before = messages.shown().size();
        EXPECT_EQ(document->GetText(c.segment, true), "");
        ASSERT_EQ(messages.shown().size(), before + (c.message ? 1 : 0));
        if (c.message) {
            EXPECT_EQ(messages.shown().back().prompt,
                      std::string("unrecognized segment name: ") + c.segment);
        }
    }
}

TEST_F(TextReportTest, PrintTextPrintsTheSummaryFromTheBox) {
    auto three = ReportDocument(3);
    three->Authors = "Ann";
    three->Alternatives_col.Item(1)->Description = "One";
    three->Alternatives_col.Item(2)->Description = "2";  // written whatever its length
    RecordingTextReportBox box;
    box.setText("old text");
    three->PrintText(box);

    std::string expected = three->GetText("MatrixMetaData") + "Plant" + CRLF + U40 + CRLF +
                           three->GetText("MatrixAttribution");
    for (const auto& [name, description] :
         {std::pair{"Alt 1", "One"}, std::pair{"Alt 2", "2"}, std::pair{"Alt 3", ""}}) {
        expected +=
            std::string(name) + CRLF + U40 + CRLF + CRLF + CRLF + description + CRLF + CRLF + CRLF;
    }
    expected += U45 + CRLF + U45 + CRLF;
    EXPECT_EQ(box.text(), expected);
    EXPECT_THAT(box.printed(), ::testing::ElementsAre(expected));
}

}  // namespace
}  // namespace vrn::testing
