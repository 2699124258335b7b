#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "model/reports/word_report.h"
#include "platform/docx/docx_word_document.h"
#include "platform/docx/word_report_export.h"
#include "tests/platform/docx/docx_test_support.h"
#include "tests/platform/docx/sample_report.h"

// The sample matrix's report opened by the programs people read it with: the office suite
// converts it to PDF, and python-docx reads its paragraphs, tables and header. Each test skips
// when its program is not installed. Set VRN_REPORT_PDF_COPY to a path to keep the PDF.

namespace vrn::testing {
namespace {

using ::testing::HasSubstr;

struct ProgramRun {
    bool started = false;
    int exitCode = -1;
    std::string out;
    std::string err;
};

ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      int timeoutMs = 180000) {
    QProcess process;
    process.start(program, arguments);
    ProgramRun run;
    run.started = process.waitForStarted();
    if (run.started && process.waitForFinished(timeoutMs)) {
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    } else {
        process.kill();
        process.waitForFinished();
    }
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

bool Installed(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

QString Path(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Converts `documents` to PDF files in `folder` in one run of the office suite, with a profile
// of its own there, so that conversions running at the same time do not meet.
ProgramRun ConvertToPdf(const std::filesystem::path& folder,
                        const std::vector<std::filesystem::path>& documents) {
    QStringList arguments = {"-env:UserInstallation=file://" + Path(folder / "profile"),
                             "--headless",
                             "--norestore",
                             "--convert-to",
                             "pdf",
                             "--outdir",
                             Path(folder)};
    for (const auto& document : documents) {
        arguments << Path(document);
    }
    return RunProgram("soffice", arguments);
}

// The text of each page of `pdf` as pdftotext lays it out.
std::vector<std::string> PageTexts(const std::filesystem::path& pdf) {
    const std::string text = RunProgram("pdftotext", {"-layout", Path(pdf), "-"}).out;
    std::vector<std::string> pages;
    std::size_t from = 0;
    for (std::size_t end = text.find('\f'); end != std::string::npos;
         from = end + 1, end = text.find('\f', from)) {
        pages.push_back(text.substr(from, end - from));
    }
    return pages;
}

// The number (from 1) of the first page that holds `text`; 0 when none does.
int PageOf(const std::vector<std::string>& pages, const std::string& text) {
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (pages[page].find(text) != std::string::npos) {
            return static_cast<int>(page) + 1;
        }
    }
    return 0;
}

class DocxClientsTest : public ::testing::Test {
protected:
    void SetUp() override {
        report = folder / "sample report.docx";
        ASSERT_TRUE(ExportWordReport(*sample.matrix, report.string(), PngPicture(480, 300)));
    }

    ScratchFolder folder;
    SampleReport sample;
    std::filesystem::path report;
};

TEST_F(DocxClientsTest, OfficeSuiteConvertsItToPdfWithEveryText) {
    for (const char* program : {"soffice", "pdftotext", "pdfinfo"}) {
        if (!Installed(program)) {
            GTEST_SKIP() << program << " is not installed (scripts/setup.sh installs it)";
        }
    }
    const ProgramRun convert = ConvertToPdf(folder.path(), {report});
    ASSERT_EQ(convert.exitCode, 0) << convert.err;
    const auto pdf = folder / "sample report.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf)) << convert.out << convert.err;
    if (const char* keep = std::getenv("VRN_REPORT_PDF_COPY")) {
        std::filesystem::copy_file(pdf, keep, std::filesystem::copy_options::overwrite_existing);
    }

    const ProgramRun info = RunProgram("pdfinfo", {Path(pdf)});
    const auto pagesAt = info.out.find("Pages:");
    ASSERT_NE(pagesAt, std::string::npos) << info.out;
    const int pages = std::stoi(info.out.substr(pagesAt + 6));
    // Attribution, current practices, the interactions and the highlighted ones, the target
    // practices and their interactions each end with a page break.
    EXPECT_GE(pages, 6);

    const ProgramRun text = RunProgram("pdftotext", {"-layout", Path(pdf), "-"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const std::string expected :
         {"Moving to lean operation", "Attribution:", "--- Authors ---", "Operations team",
          "--- Current Practices ---", "Existing Practices", "Annual budget",
          "--- Current Practice Interactions Highlighted ---", "Budgets & targets <agree>",
          "note 1", "--- Target Practices ---", "--- Target Practice Interactions ---"}) {
        EXPECT_THAT(text.out, HasSubstr(expected));
    }
    // The footer's fields are laid out by the office suite: every page knows its number and
    // the count.
    EXPECT_THAT(text.out, HasSubstr("page 1 / " + std::to_string(pages)));
    EXPECT_THAT(text.out,
                HasSubstr("page " + std::to_string(pages) + " / " + std::to_string(pages)));
}

// Prints what python-docx sees as JSON: the header's text and its first run's size and
// boldness, the footer's text, every body paragraph's text with the sizes and boldness of its
// runs of text (a page break's run has the font that was in force before it) and whether it
// keeps with the next, and every table's cell texts with whether the first and last cells of
// the two rows are one merged cell.
constexpr const char* kReadWithPythonDocx = R"PY(
import docx, json, sys
d = docx.Document(sys.argv[1])
s = d.sections[0]
hp = s.header.paragraphs[0]
out = {
  "header": hp.text,
  "header_bold": bool(hp.runs[0].bold),
  "header_pt": hp.runs[0].font.size.pt,
  "header_centred": hp.alignment == docx.enum.text.WD_ALIGN_PARAGRAPH.CENTER,
  "footer": s.footer.paragraphs[0].text,
  "paragraphs": [{"text": p.text,
                  "indent": p.paragraph_format.left_indent.inches if p.paragraph_format.left_indent else 0,
                  "keep": bool(p.paragraph_format.keep_with_next),
                  "runs": [[r.font.size.pt if r.font.size else 0, bool(r.bold)] for r in p.runs if r.text.strip()]}
                 for p in d.paragraphs],
  "tables": [{"cells": [[c.text for c in row.cells] for row in t.rows],
              "symbol_merged": t.cell(0, 0)._tc is t.cell(1, 0)._tc,
              "description_merged": t.cell(0, 2)._tc is t.cell(1, 2)._tc,
              "widths": [round(c.width.inches, 2) for c in t.rows[0].cells]}
             for t in d.tables],
}
print(json.dumps(out))
)PY";

TEST_F(DocxClientsTest, PythonDocxReadsParagraphsTablesAndHeader) {
    const QString python = "/usr/bin/python3";
    if (!std::filesystem::exists(python.toStdString())) {
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    }
    if (RunProgram(python, {"-c", "import docx"}).exitCode != 0) {
        GTEST_SKIP() << "python3-docx is not installed (scripts/setup.sh installs it)";
    }
    const ProgramRun read = RunProgram(python, {"-c", kReadWithPythonDocx, Path(report)});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    const QJsonObject seen = QJsonDocument::fromJson(QByteArray::fromStdString(read.out)).object();

    EXPECT_EQ(seen["header"].toString().toStdString(), "Moving to lean operation");
    EXPECT_TRUE(seen["header_bold"].toBool());
    EXPECT_EQ(seen["header_pt"].toDouble(), 18.0);
    EXPECT_TRUE(seen["header_centred"].toBool());
    EXPECT_EQ(seen["footer"].toString().toStdString(), "Sample matrix\tpage 1 / 1");

    const QJsonArray paragraphs = seen["paragraphs"].toArray();
    ASSERT_GT(paragraphs.size(), 4);
    EXPECT_EQ(paragraphs[0].toObject()["text"].toString(), "");
    EXPECT_EQ(paragraphs[1].toObject()["text"].toString(), "");
    EXPECT_EQ(paragraphs[2].toObject()["text"].toString(),
              "_____________________________________________");
    // Every line keeps its size, boldness and indent: spot checks across the segments.
    // Headings keep with the next paragraph; body text does not.
    struct Line {
        const char* text;
        double points;
        bool bold;
        double indentInches;
        bool keep;
    };
    const std::vector<Line> lines = {
        {"--- Current Practices ---", 16, true, 0, true},
        {"Existing Practices", 14, true, 0.4, true},
        {"Practice Group 1:", 10, false, 0.8, true},
        {"Planning", 12, true, 0.8, true},
        {"Practice 1:", 10, false, 1.2, true},
        {"Annual budget", 12, true, 1.2, false},  // it heads no description
        {"--- Authors ---", 12, false, 0.4, true},
        {"Operations team", 12, true, 0.4, false},
        {"--- VRN Version 0.1.0 ---", 12, false, 0.4, false},
    };
    for (const Line& line : lines) {
        SCOPED_TRACE(line.text);
        bool found = false;
        for (const auto& value : paragraphs) {
            const QJsonObject paragraph = value.toObject();
            // A page break before the text reads as a line break.
            if (paragraph["text"].toString().trimmed() != QString::fromUtf8(line.text)) {
                continue;
            }
            found = true;
            EXPECT_NEAR(paragraph["indent"].toDouble(), line.indentInches, 0.001);
            EXPECT_EQ(paragraph["keep"].toBool(), line.keep);
            for (const auto& run : paragraph["runs"].toArray()) {
                EXPECT_EQ(run.toArray()[0].toDouble(), line.points);
                EXPECT_EQ(run.toArray()[1].toBool(), line.bold);
            }
            break;
        }
        EXPECT_TRUE(found);
    }

    const QJsonArray tables = seen["tables"].toArray();
    ASSERT_EQ(tables.size(), 4);
    const QJsonObject table = tables[0].toObject();
    EXPECT_TRUE(table["symbol_merged"].toBool());
    EXPECT_TRUE(table["description_merged"].toBool());
    const QJsonArray widths = table["widths"].toArray();
    ASSERT_EQ(widths.size(), 3);
    EXPECT_EQ(widths[0].toDouble(), 0.4);
    EXPECT_EQ(widths[1].toDouble(), 1.8);
    EXPECT_EQ(widths[2].toDouble(), 4.1);
    const QJsonArray cells = table["cells"].toArray();
    EXPECT_EQ(cells[0].toArray()[2].toString(), "Budgets & targets <agree>");
    EXPECT_EQ(cells[0].toArray()[1].toString(), "Annual budget");
}

// The highlighted interactions after more and more filler lines, so that the first page ends at
// each of the lines that head the first table in turn: the segment's heading, the existing
// state's name, the group's heading and name, the table's label. Each of them lands on the page
// of the table's first row, never alone at the foot of the page before.
TEST(DocxPagesTest, HeadingsLandOnThePageOfTheTableTheyHead) {
    for (const char* program : {"soffice", "pdftotext"}) {
        if (!Installed(program)) {
            GTEST_SKIP() << program << " is not installed (scripts/setup.sh installs it)";
        }
    }
    constexpr int kProbeLines = 120;
    // More filler lines than the heading lines and the table take.
    constexpr int kLinesTried = 16;
    ScratchFolder folder;
    SampleReport sample;
    const auto filler = [](int n) { return "filler line " + std::to_string(n) + " ends"; };
    const auto write = [&](int fillers, bool segment) {
        DocxWordDocument document;
        document.Word_NewDocument("Pages", "Footer");
        for (int n = 1; n <= fillers; ++n) {
            document.Word_Paragraph(filler(n), 0, 12, false);
        }
        if (segment) {
            WordReport_Segment(*sample.matrix, document, "CurrentPracticeInteractionsHighlighted",
                               false);
        }
        const auto path =
            folder / ((segment ? "segment-" : "probe-") + std::to_string(fillers) + ".docx");
        document.Word_SaveAndClose(path.string());
        return path;
    };

    // How many filler lines the first page holds.
    ProgramRun convert = ConvertToPdf(folder.path(), {write(kProbeLines, false)});
    ASSERT_EQ(convert.exitCode, 0) << convert.err;
    const std::vector<std::string> probe =
        PageTexts(folder / ("probe-" + std::to_string(kProbeLines) + ".pdf"));
    ASSERT_GE(probe.size(), 2U);
    int firstPageLines = 0;
    while (PageOf(probe, filler(firstPageLines + 1)) == 1) {
        ++firstPageLines;
    }
    ASSERT_GT(firstPageLines, kLinesTried);

    std::vector<std::filesystem::path> documents;
    for (int fillers = firstPageLines - kLinesTried; fillers <= firstPageLines; ++fillers) {
        documents.push_back(write(fillers, true));
    }
    convert = ConvertToPdf(folder.path(), documents);
    ASSERT_EQ(convert.exitCode, 0) << convert.err;
    const std::vector<std::string> heads = {"--- Current Practice Interactions Highlighted ---",
                                            "Existing Practices", "Practice Group 1:", "Planning",
                                            "note 1"};
    std::set<int> tablePages;
    for (const auto& document : documents) {
        SCOPED_TRACE(document.filename().string());
        const std::vector<std::string> pages =
            PageTexts(std::filesystem::path(document).replace_extension(".pdf"));
        // The first table's first row holds its own practice's name.
        const int table = PageOf(pages, "Annual budget");
        ASSERT_GT(table, 0);
        tablePages.insert(table);
        for (const std::string& head : heads) {
            EXPECT_EQ(PageOf(pages, head), table) << head;
        }
    }
    // The page ended before the segment, within its heading lines and after the table.
    EXPECT_EQ(tablePages, (std::set<int>{1, 2}));
}

}  // namespace
}  // namespace vrn::testing
