#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/docx/word_report_export.h"
#include "tests/platform/docx/docx_test_reader.h"
#include "tests/platform/docx/docx_test_support.h"
#include "tests/platform/docx/sample_report.h"
#include "tests/support/model_doubles/report_file_doubles.h"

namespace vrn::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WordReportExportTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    SampleReport sample;
};

TEST_F(WordReportExportTest, TheSampleMatrixReportIsSavedWhole) {
    const auto target = folder / "sample.docx";
    ASSERT_TRUE(ExportWordReport(*sample.matrix, target.string(), PngPicture(300, 200)));
    EXPECT_TRUE(sample.messages.shown().empty());
    EXPECT_THAT(folder.names(), ElementsAre("sample.docx"));
    if (const char* keep = std::getenv("VRN_KEEP_REPORT_DOCX")) {
        std::filesystem::copy_file(target, keep, std::filesystem::copy_options::overwrite_existing);
    }

    const DocxFile file(target);
    for (const auto& [name, bytes] : file.parts()) {
        if (!name.ends_with(".png")) {
            EXPECT_EQ(XmlError(bytes), "") << name;
        }
    }
    EXPECT_EQ(file.blocks("word/header1.xml").at(0).paragraph.text(), "Moving to lean operation");
    EXPECT_EQ(file.blocks("word/footer1.xml").at(0).paragraph.text(), "Sample matrix\tpage 1 / 1");

    const auto paragraphs = file.bodyParagraphs();
    ASSERT_GT(paragraphs.size(), 4U);
    EXPECT_EQ(paragraphs[2].text(), "_____________________________________________");
    EXPECT_FALSE(paragraphs[3].runs.at(0).pictureRelationship.empty());
    const auto texts = [&] {
        std::vector<std::string> all;
        for (const auto& paragraph : paragraphs) {
            all.push_back(paragraph.text());
        }
        return all;
    }();
    for (const char* text : {"--- Current Practices ---", "--- Current Practice Interactions ---",
                             "--- Current Practice Interactions Highlighted ---", "Annual budget",
                             "Budgets & targets <agree>"}) {
        EXPECT_THAT(texts, ::testing::Contains(text));
    }
    // The two described interactions link existing practices: each is highlighted under both.
    EXPECT_EQ(file.tables().size(), 4U);
}

TEST_F(WordReportExportTest, AFailedExportIsReportedAndLeavesNoFile) {
    struct Case {
        const char* name;
        std::filesystem::path target;
        std::string picture;
    };
    const std::vector<Case> cases = {
        {"missing folder", folder / "gone" / "report.docx", PngPicture(10, 10)},
        {"target is a folder", folder.path(), PngPicture(10, 10)},
        {"picture is not PNG", folder / "report.docx", "not a picture"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SampleReport report;
        EXPECT_FALSE(ExportWordReport(*report.matrix, c.target.string(), c.picture));
        ASSERT_EQ(report.messages.shown().size(), 1U);
        EXPECT_THAT(report.messages.shown()[0].prompt,
                    HasSubstr("The report could not be saved as \"" + c.target.string() + "\": "));
        EXPECT_EQ(report.messages.shown()[0].icon, MsgIcon::Critical);
        EXPECT_TRUE(folder.names().empty());
    }

    // A file that was there keeps its contents.
    const auto existing = folder / "report.docx";
    std::ofstream(existing) << "old report";
    EXPECT_FALSE(ExportWordReport(*sample.matrix, existing.string(), "not a picture"));
    EXPECT_EQ(Contents(existing), "old report");
    EXPECT_THAT(folder.names(), ElementsAre("report.docx"));
}

TEST_F(WordReportExportTest, AFullDiskKeepsThePreviousReportAndSaysWhy) {
    const auto target = folder / "report.docx";
    std::ofstream(target) << "old report";
    // Full after the first bytes, half way through the document, and just before the end.
    for (const std::size_t room : {std::size_t{100}, std::size_t{3000}, std::size_t{7000}}) {
        SCOPED_TRACE(room);
        SampleReport report;
        EXPECT_FALSE(ExportWordReport(*report.matrix, target.string(), PngPicture(300, 200),
                                      FullDiskAfter(room)));
        ASSERT_EQ(report.messages.shown().size(), 1U);
        EXPECT_THAT(report.messages.shown()[0].prompt, HasSubstr("No space left on device"));
        EXPECT_EQ(Contents(target), "old report");
        EXPECT_THAT(folder.names(), ElementsAre("report.docx"));
    }
}

TEST_F(WordReportExportTest, AWriterKilledHalfWayLeavesNothingTheNextWriteKeeps) {
    const auto target = folder / "report.docx";
    ASSERT_TRUE(KillWriterHalfWay(2000, [&](const ReportFileOpener& stalling) {
        ExportWordReport(*sample.matrix, target.string(), PngPicture(300, 200), stalling);
    }));
    EXPECT_THAT(folder.names(), ElementsAre(".report.docx.partial"));  // what the kill left

    ASSERT_TRUE(ExportWordReport(*sample.matrix, target.string(), PngPicture(300, 200)));
    EXPECT_THAT(folder.names(), ElementsAre("report.docx"));
    EXPECT_GT(DocxFile(target).bodyParagraphs().size(), 4U);
}

}  // namespace
}  // namespace vrn::testing
