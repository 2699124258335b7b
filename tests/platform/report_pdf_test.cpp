#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/reports/printed_report.h"
#include "model/reports/printed_report_pages.h"
#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/qt_report_picture.h"
#include "platform/qt_report_printer.h"
#include "platform/qt_text_report_box.h"
#include "tests/support/model_doubles/report_file_doubles.h"
#include "tests/support/model_doubles/scripted_messages.h"

namespace vrn::testing {
namespace {

// Output of a tool that reads PDF files; nothing when it fails.
std::optional<QString> runTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString& pdf) {
    const auto info = runTool(QStringLiteral("pdfinfo"), {pdf});
    if (!info) {
        return -1;
    }
    for (const QString& line : info->split('\n')) {
        if (line.startsWith(QStringLiteral("Pages:"))) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return -1;
}

// A picture like a captured window: a light grey field with a dark frame.
ReportPicture windowPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter painter(&image);
    painter.setPen(QColor(0x20, 0x20, 0x60));
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, QStringLiteral("Matrix"));
    return toReportPicture(image);
}

class ReportPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"pdftotext", "pdfinfo"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                GTEST_SKIP() << tool << " is not installed (package poppler-utils); the PDF "
                             << "output cannot be checked";
            }
        }
        ASSERT_TRUE(folder.isValid());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(18, 18, 18, 18), QPageLayout::Point));
        printer.setOutputFileName(pdf());
    }

    QString pdf() const { return folder.filePath(QStringLiteral("report.pdf")); }

    // The names in the test's folder, hidden ones included.
    QStringList names() const {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QByteArray contents() const {
        QFile file(pdf());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // With VRN_KEEP_REPORT_PDF set, the printed file is kept under that name followed by `suffix`,
    // for a reader to look at; each test keeps its own.
    void keepPdf(const QString& suffix = {}) const {
        if (const char* keep = std::getenv("VRN_KEEP_REPORT_PDF")) {
            const QString kept = QString::fromLocal8Bit(keep) + suffix;
            QFile::remove(kept);
            QFile::copy(pdf(), kept);
        }
    }

    std::shared_ptr<VRN_Matrix> sampleDocument() {
        auto document = std::make_shared<VRN_Matrix>();
        std::ifstream file(VRN_SAMPLE_MATRIX, std::ios::binary);
        EXPECT_TRUE(file) << VRN_SAMPLE_MATRIX;
        bool directions = false;
        document->Read(*file.rdbuf(), "sample.vrn", nullptr, directions,
                       {nullptr, true, &messages});
        return document;
    }

    // The text as a reader sees it: lines kept, ligatures spelt out.
    QString pdfText() {
        QString text = runTool(QStringLiteral("pdftotext"),
                               {QStringLiteral("-layout"), pdf(), QStringLiteral("-")})
                           .value_or(QString());
        text.replace(QChar(0xFB01), QStringLiteral("fi"));
        text.replace(QChar(0xFB02), QStringLiteral("fl"));
        return text;
    }

    QTemporaryDir folder;
    QPrinter printer{QPrinter::HighResolution};
    ScriptedMessages messages;
};

TEST_F(ReportPdfTest, SampleReportPrintsEverySegmentInOrder) {
    auto document = sampleDocument();
    document->set_Report_Defaults();
    const ReportPicture picture = windowPicture(640, 480);
    QtReportPrinter reportPrinter(printer);
    document->PrintReport(reportPrinter, &picture);

    ASSERT_TRUE(QFile::exists(pdf()));
    keepPdf();
    EXPECT_EQ(names(), QStringList{QStringLiteral("report.pdf")});
    const QString text = pdfText();
    const std::vector<QString> inOrder = {
        QStringLiteral("Page: 1"),  // the picture page
        QStringLiteral("Varnel"),
        QStringLiteral("Description:"),
        QStringLiteral("Attribution:"),
        QStringLiteral("--- Authors ---"),
        QStringLiteral("Operations team"),
        QStringLiteral("--- VRN Version 0.1.0 ---"),
        QStringLiteral("--- Current Practices ---"),
        QStringLiteral("Existing Practices"),
        QStringLiteral("Practice Group 1:"),
        QStringLiteral("Planning"),
        QStringLiteral("--- Current Practice Interactions ---"),
        QStringLiteral("Interaction with:"),
        QStringLiteral("--- Target Practices ---"),
        QStringLiteral("--- Target Practice Interactions ---"),
    };
    qsizetype at = 0;
    for (const QString& expected : inOrder) {
        const qsizetype found = text.indexOf(expected, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << expected.toStdString() << "\n"
                            << text.toStdString();
        at = found + expected.size();
    }

    const int pages = pageCount(pdf());
    ASSERT_GT(pages, 4);
    EXPECT_EQ(reportPrinter.pagesPrinted(), pages);
    // Every page has its footer and its number; no page is empty.
    EXPECT_EQ(text.count(QStringLiteral("Sample matrix")), pages);
    for (int page = 1; page <= pages; ++page) {
        EXPECT_TRUE(text.contains(QStringLiteral("Page: %1").arg(page))) << page;
    }
    EXPECT_FALSE(text.contains(QStringLiteral("Page: %1").arg(pages + 1)));
}

// Every word on every page lies between the left and the right margin (1200 twips in from the
// printable area, which the printer puts 18 points in from the paper's edge).
TEST_F(ReportPdfTest, LongNamesWordsAndFootersStayBetweenTheMargins) {
    auto document = sampleDocument();
    document->set_Report_Defaults();
    const std::string longWord(300, 'w');
    document->Existing()->PGroups.Item(1)->PracticeParts.Item(1)->setName("Annual\nbudget " +
                                                                          longWord);
    document->footer = "Footer " + std::string(400, 'f') + " end";
    QtReportPrinter reportPrinter(printer);
    document->PrintReport(reportPrinter, nullptr);
    keepPdf(QStringLiteral(".long.pdf"));

    const auto boxes =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf(), QStringLiteral("-")});
    ASSERT_TRUE(boxes);
    constexpr double kLeft = 18 + 60;         // points
    constexpr double kRight = 612 - 18 - 60;  // Letter is 612 points wide
    constexpr double kSlack = 1;
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\""));
    int words = 0;
    for (auto match = word.globalMatch(*boxes); match.hasNext(); ++words) {
        const auto found = match.next();
        EXPECT_GE(found.captured(1).toDouble(), kLeft - kSlack) << found.captured(0).toStdString();
        EXPECT_LE(found.captured(2).toDouble(), kRight + kSlack) << found.captured(0).toStdString();
    }
    EXPECT_GT(words, 100);
    // The long word is all there, in pieces.
    EXPECT_EQ(pdfText().count(QLatin1Char('w')) >= 300, true);
}

// Texts far longer than a page: a practice name (printed again in every line that names the
// practice), the existing state's description and the footer (fitted again on every page).
TEST_F(ReportPdfTest, TextsOfFiftyThousandCharactersPrint) {
    constexpr std::size_t kLength = 50000;
    auto document = sampleDocument();
    document->set_Report_Defaults();
    const std::string name(kLength, 'n');
    const std::string description(kLength, 'd');
    document->Existing()->PGroups.Item(1)->PracticeParts.Item(1)->setName(name);
    document->Existing()->Description = description;
    document->footer = std::string(kLength, 'x');
    QtReportPrinter reportPrinter(printer);
    document->PrintReport(reportPrinter, nullptr);
    keepPdf(QStringLiteral(".longest.pdf"));

    const int pages = pageCount(pdf());
    ASSERT_GT(pages, 4);
    EXPECT_EQ(reportPrinter.pagesPrinted(), pages);
    // The lines made of one letter only, and how many letters they hold (a page starts with a
    // form feed).
    const auto lettersInLinesOf = [](const QString& text, QChar letter) {
        const QRegularExpression line(QStringLiteral("^\\f? *(%1+)( |$)").arg(letter),
                                      QRegularExpression::MultilineOption);
        qsizetype letters = 0;
        for (auto match = line.globalMatch(text); match.hasNext();) {
            letters += match.next().capturedLength(1);
        }
        return letters;
    };
    const QString text = pdfText();
    // The description is wrapped over pages of its own, every character of it.
    EXPECT_EQ(lettersInLinesOf(text, QLatin1Char('d')), static_cast<qsizetype>(kLength));
    // Every page ends with three lines of the footer, the last shortened.
    EXPECT_EQ(text.count(QStringLiteral("x\u2026")), pages);
    EXPECT_GT(lettersInLinesOf(text, QLatin1Char('n')), 0);
}

TEST_F(ReportPdfTest, PicturePageAloneIsOnePage) {
    QtReportPrinter reportPrinter(printer);
    PrinterPageOutput pages(reportPrinter);
    pages.Print_Picture_To_Page(windowPicture(800, 400), true, std::nullopt, "Sample matrix");
    pages.EndDoc();
    EXPECT_EQ(pageCount(pdf()), 1);
    EXPECT_TRUE(pdfText().contains(QStringLiteral("Sample matrix")));
    // A wide picture turned the page.
    const auto info = runTool(QStringLiteral("pdfinfo"), {pdf()});
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->contains(QStringLiteral("792 x 612"))) << info->toStdString();
}

TEST_F(ReportPdfTest, PlainTextReportPrintsFromItsBox) {
    auto document = sampleDocument();
    QtTextReportBox box(printer);
    document->PrintText(box);
    keepPdf(QStringLiteral(".text.pdf"));
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(QStringLiteral("----- Varnel -----"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("--- Authors ---")));
    EXPECT_TRUE(text.contains(QStringLiteral("Operations team")));
    EXPECT_EQ(pageCount(pdf()), 1);
}

TEST(ReportPictureTest, ImagesBecomeRowsOfPixels) {
    EXPECT_TRUE(toReportPicture(QImage()).Empty());
    QImage image(3, 2, QImage::Format_RGB888);
    image.fill(Qt::white);
    image.setPixelColor(2, 1, QColor(0x12, 0x34, 0x56));
    const ReportPicture picture = toReportPicture(image);
    ASSERT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width, 3);
    EXPECT_EQ(picture.Height, 2);
    EXPECT_EQ(picture.Pixels[0], 0xFFFFFFFFU);
    EXPECT_EQ(picture.Pixels[5], 0xFF123456U);
}

TEST_F(ReportPdfTest, FailuresAreReportedAndLeaveNoFile) {
    auto document = sampleDocument();
    document->set_Report_Defaults();

    // A folder that does not exist.
    const QString missing = folder.filePath(QStringLiteral("no/such/folder/report.pdf"));
    printer.setOutputFileName(missing);
    {
        QtReportPrinter reportPrinter(printer);
        EXPECT_THROW(document->PrintReport(reportPrinter, nullptr), PrinterError);
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(printer.outputFileName(), missing);  // the caller's choice is kept

    // A job abandoned half way (the printer object goes away before the end).
    printer.setOutputFileName(pdf());
    {
        QtReportPrinter reportPrinter(printer);
        PrinterPageOutput pages(reportPrinter);
        pages.Printer_Setup();
        pages.Print_Block("Varnel", 22, 0, true, "foot", true);
    }
    EXPECT_TRUE(names().isEmpty());
}

TEST_F(ReportPdfTest, AFullDiskKeepsThePreviousFileAndSaysWhy) {
    auto document = sampleDocument();
    document->set_Report_Defaults();
    const std::vector<std::pair<const char*, std::function<void(const ReportFileOpener&)>>>
        outputs = {
            {"printed report",
             [&](const ReportFileOpener& open) {
                 QtReportPrinter reportPrinter(printer, open);
                 document->PrintReport(reportPrinter, nullptr);
             }},
            {"plain-text report",
             [&](const ReportFileOpener& open) {
                 QtTextReportBox box(printer, open);
                 document->PrintText(box);
             }},
        };
    for (const auto& [name, print] : outputs) {
        for (const std::size_t room : {std::size_t{0}, std::size_t{2000}}) {
            SCOPED_TRACE(std::string(name) + ", room " + std::to_string(room));
            {
                QFile old(pdf());
                ASSERT_TRUE(old.open(QIODevice::WriteOnly));
                old.write("old report");
            }
            try {
                print(FullDiskAfter(room));
                ADD_FAILURE() << "the full disk went unnoticed";
            } catch (const PrinterError& error) {
                EXPECT_THAT(error.what(), ::testing::HasSubstr("No space left on device"));
                EXPECT_THAT(error.what(), ::testing::HasSubstr(pdf().toStdString()));
            }
            EXPECT_EQ(contents(), QByteArray("old report"));
            EXPECT_EQ(names(), QStringList{QStringLiteral("report.pdf")});
        }
    }
}

TEST_F(ReportPdfTest, AWriterKilledHalfWayLeavesNothingTheNextWriteKeeps) {
    auto document = sampleDocument();
    document->set_Report_Defaults();
    ASSERT_TRUE(KillWriterHalfWay(3000, [&](const ReportFileOpener& stalling) {
        QtReportPrinter reportPrinter(printer, stalling);
        document->PrintReport(reportPrinter, nullptr);
    }));
    EXPECT_EQ(names(), QStringList{QStringLiteral(".report.pdf.partial")});  // what the kill left

    QtReportPrinter reportPrinter(printer);
    document->PrintReport(reportPrinter, nullptr);
    EXPECT_EQ(names(), QStringList{QStringLiteral("report.pdf")});
    EXPECT_EQ(pageCount(pdf()), reportPrinter.pagesPrinted());
}

}  // namespace
}  // namespace vrn::testing
