#include "app/shell/drawing_window.h"
#include "app/shell/report_options_dialog.h"
#include "model/vrn_matrix.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/modal_script.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

namespace vrn::testing {
namespace {

using Kind = ScriptedPrompt::Kind;

const QString kCaptured = QStringLiteral(
    "Captured Image can now be pasted from the clipboard into other windows applications using "
    "'Paste Special'.");

// Output of a PDF tool; nothing when it is missing or fails.
std::optional<QString> runTool(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool pdfToolsPresent() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

int pdfPages(const QString& pdf) {
    const std::optional<QString> info = runTool(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.value_or(QString()).split('\n')) {
        if (line.startsWith(QStringLiteral("Pages:"))) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return -1;
}

QString pdfText(const QString& pdf) {
    QString text =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .value_or(QString());
    text.replace(QChar(0xFB01), QStringLiteral("fi"));
    text.replace(QChar(0xFB02), QStringLiteral("fl"));
    return text;
}

// The pointer moves over `widget` to `at` with no button down, on any platform.
void pointerMoves(QWidget& widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

// The report and picture commands of the loaded stand-alone program, on the sample matrix, with
// the printer's output going to PDF files in a folder of the test's own.
class ReportCommandsTest : public MainWindowFixture {
protected:
    ReportCommandsTest() {
        load();
        main_.openMatrixFile(QStringLiteral(VRN_SAMPLE_MATRIX));
        QApplication::processEvents();
    }

    QString path(const char* name) const { return folder_.filePath(QLatin1String(name)); }
    VRN_Matrix& document() { return *activeWindow().base(); }
    QMdiSubWindow& frame() { return *main_.mdiArea().currentSubWindow(); }

    // Shows the report options dialog for the active window; `step` acts on it and closes it.
    void reportOptions(const ModalScript::Step& step) {
        dialogs_.then("frmPrintReport", step);
        item("mnuFileReportOptions").trigger();
        QApplication::processEvents();
    }

    std::vector<QString> questionsOf(Kind kind) const {
        std::vector<QString> texts;
        for (const ScriptedPrompt::Question& question : prompt_.questions()) {
            if (question.kind == kind) {
                texts.push_back(question.text);
            }
        }
        return texts;
    }

    QTemporaryDir folder_;
    ModalScript dialogs_;
};

TEST_F(ReportCommandsTest, PrintReportPrintsTheSampleReportWithThePictureFirst) {
    if (!pdfToolsPresent()) {
        GTEST_SKIP() << "pdftotext and pdfinfo (package poppler-utils) are needed to read the PDF";
    }
    const QString pdf = path("report.pdf");
    prompt_.answerPrintToFile(pdf);
    item("mnuFilePrintReport").trigger();

    ASSERT_TRUE(QFile::exists(pdf));
    if (const char* keep = std::getenv("VRN_KEEP_REPORT_PDF")) {
        QFile::remove(QString::fromLocal8Bit(keep));
        QFile::copy(pdf, QString::fromLocal8Bit(keep));
    }
    const QString text = pdfText(pdf);
    const std::vector<QString> inOrder = {
        QStringLiteral("Page: 1"),  // the picture page
        QStringLiteral("Varnel"),
        QStringLiteral("Description:"),
        QStringLiteral("Attribution:"),
        QStringLiteral("--- Current Practices ---"),
        QStringLiteral("--- Current Practice Interactions ---"),
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
    const int pages = pdfPages(pdf);
    ASSERT_GT(pages, 2);
    // Every page carries the matrix's footer and its number.
    EXPECT_EQ(text.count(QString::fromStdString(document().footer)), pages);
    EXPECT_TRUE(text.contains(QStringLiteral("Page: %1").arg(pages)));

    // The window's picture went to the report and to the clipboard; the flags to the document.
    const QImage& picture = activeWindow().Picture1();
    EXPECT_EQ(picture.size(), activeWindow().size());
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), picture.size());
    EXPECT_EQ(document().rpt_MatrixImage, -1);
    EXPECT_EQ(document().rpt_BlankInteractions, 0);
    EXPECT_EQ(document().rpt_CurrentPractices, -1);
}

TEST_F(ReportCommandsTest, TheFlagsOfTheRunChooseWhatPrintsAndTheClipboardIsLeftAlone) {
    program_.report.Report_MatrixImage = false;
    program_.report.Report_CurrentPractices = false;
    program_.report.Report_BlankInteractions = true;
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    const QString pdf = path("no-picture.pdf");
    prompt_.answerPrintToFile(pdf);
    item("mnuFilePrintReport").trigger();

    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(activeWindow().Picture1().isNull());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    EXPECT_EQ(document().rpt_MatrixImage, 0);
    EXPECT_EQ(document().rpt_CurrentPractices, 0);
    EXPECT_EQ(document().rpt_BlankInteractions, -1);
    if (pdfToolsPresent()) {
        const QString text = pdfText(pdf);
        EXPECT_FALSE(text.contains(QStringLiteral("--- Current Practices ---")));
        // The banner starts the first page: no picture page before it.
        EXPECT_LT(text.indexOf(QStringLiteral("Varnel")), text.indexOf(QStringLiteral("Page: 1")));
    }
}

TEST_F(ReportCommandsTest, ACancelledPrinterChoicePrintsNothing) {
    prompt_.cancel();
    item("mnuFilePrintReport").trigger();
    ASSERT_EQ(questionsOf(Kind::Printer).size(), 1U);
    EXPECT_TRUE(activeWindow().Picture1().isNull());
    EXPECT_TRUE(questionsOf(Kind::MessageBox).empty());
}

TEST_F(ReportCommandsTest, APrinterThatFailsIsReported) {
    prompt_.answerPrintToFile(path("no/such/folder/report.pdf"));
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuFilePrintReport").trigger();
    const std::vector<QString> messages = questionsOf(Kind::MessageBox);
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("The report could not be printed: ")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("No such file or directory")))
        << messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(path("no/such/folder/report.pdf")));
}

TEST_F(ReportCommandsTest, PrintWithAFailingPrinterSaysSoAndOffersToSaveTheWork) {
    prompt_.answerPrintToFile(path("no/such/folder/report.pdf"));
    prompt_.answer(MsgBoxResult::Ok);
    dialogs_.then("frmAttribution", [](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    // The user cancels the save dialog and then gives up saving.
    prompt_.cancel();
    prompt_.answer(MsgBoxResult::Cancel);
    item("mnuFilePrint").trigger();

    const std::vector<QString> messages = questionsOf(Kind::MessageBox);
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_TRUE(messages[0].startsWith(
        QStringLiteral("An error has occured in attempting to print this form: '")));
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral("I'll ask you to save your work.")));
    EXPECT_EQ(questionsOf(Kind::SaveFile).size(), 1U);
    EXPECT_FALSE(program_.Save_As_Running);
    // The scroll bars, hidden for the print, are back.
    EXPECT_FALSE(activeWindow().VScroll()->isHidden());
    EXPECT_FALSE(activeWindow().HScroll()->isHidden());
}

TEST_F(ReportCommandsTest, CancelKeepsWhatTheBoxesChangedAndRestoreDefaultsResetsTheFlags) {
    reportOptions([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options"));
        if (const char* pictures = std::getenv("VRN_SCREENSHOT_DIR")) {
            dialog.grab().save(QString::fromLocal8Bit(pictures) +
                               QStringLiteral("/report-options.png"));
        }
        auto* image = dialog.findChild<QCheckBox*>(QStringLiteral("sscMatrixImage"));
        ASSERT_TRUE(image->isChecked());
        image->click();
        dialog.findChild<QCheckBox*>(QStringLiteral("sscBlankInteractions"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    EXPECT_FALSE(program_.report.Report_MatrixImage);
    EXPECT_TRUE(program_.report.Report_BlankInteractions);
    EXPECT_FALSE(activeWindow().Timer_Print_Report.isEnabled());

    reportOptions([this](QDialog& dialog) {
        // The boxes show the flags of the run.
        EXPECT_FALSE(dialog.findChild<QCheckBox*>(QStringLiteral("sscMatrixImage"))->isChecked());
        dialog.findChild<QPushButton*>(QStringLiteral("btnRestoreReportDefaults"))->click();
        EXPECT_EQ(program_.report, ReportFlags{});
        const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
        ASSERT_EQ(boxes.size(), frmPrintReport::kFlagCount);
        int unchecked = 0;
        for (const QCheckBox* box : boxes) {
            unchecked += box->isChecked() ? 0 : 1;
        }
        EXPECT_EQ(unchecked, 3);
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    EXPECT_EQ(program_.report, ReportFlags{});
}

TEST_F(ReportCommandsTest, TheDialogsRequestsBecomeTheWindowsTimersAndPrintWins) {
    struct Case {
        const char* button;
        bool exportLeftOver;
        bool printTimer;
        bool exportTimer;
        bool exportStillRequested;
    };
    const Case cases[] = {
        {"cmdprint", false, true, false, false},
        {"cmdprint", true, true, false, true},
        {"btnExportWord", false, false, true, false},
        {"cmdOK", false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        frmMatrix& window = activeWindow();
        window.Timer_Print_Report.setEnabled(false);
        window.Timer_Export_word.setEnabled(false);
        program_.Report_Export_Requested = c.exportLeftOver;
        const char* button = c.button;
        reportOptions([button](QDialog& dialog) {
            dialog.findChild<QPushButton*>(QLatin1String(button))->click();
        });
        EXPECT_EQ(program_.Report_Window, &window);
        EXPECT_FALSE(program_.Report_Print_Requested);
        EXPECT_EQ(window.Timer_Print_Report.isEnabled(), c.printTimer);
        EXPECT_EQ(window.Timer_Export_word.isEnabled(), c.exportTimer);
        EXPECT_EQ(program_.Report_Export_Requested, c.exportStillRequested);
        window.Timer_Print_Report.setEnabled(false);
        window.Timer_Export_word.setEnabled(false);
    }
    program_.Report_Export_Requested = false;
}

TEST_F(ReportCommandsTest, CaptureFormShowsTheWholeWindowInTheDialog) {
    reportOptions([this](QDialog& dialog) {
        dialog.findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(3);
        dialog.findChild<QPushButton*>(QStringLiteral("btncapturepicture"))->click();
        const auto& options = static_cast<frmPrintReport&>(dialog);
        // The frame is part of the picture.
        EXPECT_EQ(options.capturedPicture().size(), frame().size());
        const auto* shown = dialog.findChild<QLabel*>(QStringLiteral("picOptions"));
        // The whole window fits in the box.
        EXPECT_FALSE(shown->pixmap().isNull());
        EXPECT_TRUE(shown->contentsRect().size().expandedTo(shown->pixmap().size()) ==
                    shown->contentsRect().size());
        if (const char* pictures = std::getenv("VRN_SCREENSHOT_DIR")) {
            dialog.grab().save(QString::fromLocal8Bit(pictures) +
                               QStringLiteral("/report-options-capture.png"));
        }
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
}

TEST_F(ReportCommandsTest, TheFrameToolCapturesItsBandAndPrintsItOnOnePage) {
    frmMatrix& window = activeWindow();
    QWidget& canvas = window.canvas();
    item("mnuCapturePartofScreen").trigger();
    ASSERT_TRUE(window.Frametool_Enabled);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);

    QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(20, 30));
    ASSERT_TRUE(window.Frametool_Active);
    EXPECT_TRUE(window.imgFrameToolVisible());
    pointerMoves(canvas, QPoint(220, 130));
    EXPECT_EQ(window.imgFrameTool(), QRectF(300, 450, 3000, 1500));

    prompt_.answer(MsgBoxResult::Ok);
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(220, 130));
    EXPECT_FALSE(window.Frametool_Active);
    EXPECT_FALSE(window.Frametool_Enabled);
    EXPECT_TRUE(window.Frametool_Captured);
    EXPECT_FALSE(window.imgFrameToolVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window.Picture1().size(), QSize(200, 100));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(200, 100));
    EXPECT_EQ(questionsOf(Kind::MessageBox), std::vector<QString>{kCaptured});
    EXPECT_TRUE(item("munFilePrintCaptured").isEnabled());

    const QString pdf = path("captured.pdf");
    prompt_.answerPrintToFile(pdf);
    item("munFilePrintCaptured").trigger();
    ASSERT_TRUE(QFile::exists(pdf));
    if (pdfToolsPresent()) {
        EXPECT_EQ(pdfPages(pdf), 1);
        EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Page: 1")));
    }
}

TEST_F(ReportCommandsTest, TheBandNeverGrowsUpOrLeftOfItsFirstCorner) {
    frmMatrix& window = activeWindow();
    window.Frametool_Enabled = true;
    QTest::mouseClick(&window.canvas(), Qt::LeftButton, {}, QPoint(100, 100));
    pointerMoves(window.canvas(), QPoint(40, 60));
    EXPECT_EQ(window.imgFrameTool(), QRectF(1500, 1500, 10, 10));
    pointerMoves(window.canvas(), QPoint(110, 60));
    EXPECT_EQ(window.imgFrameTool(), QRectF(1500, 1500, 150, 10));
    window.Frametool_Active = false;
    window.Frametool_Enabled = false;
    QApplication::restoreOverrideCursor();
}

TEST_F(ReportCommandsTest, ExportToWordWritesTheChosenDocxFile) {
    const QString docx = path("report");
    prompt_.answerText(docx + QStringLiteral(".docx"));
    item("mnuFileExportWord").trigger();
    EXPECT_EQ(program_.Report_Window, &activeWindow());
    ASSERT_TRUE(activeWindow().Timer_Export_word.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!activeWindow().Timer_Export_word.isEnabled(), 5000);

    const std::vector<ScriptedPrompt::Question>& asked = prompt_.questions();
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0].kind, Kind::SaveFile);
    EXPECT_EQ(asked[0].file.filter, QStringLiteral("*.docx|*.docx|All Files (*.*)|*.*"));
    EXPECT_EQ(asked[0].file.defaultExt, QStringLiteral("docx"));
    QFile written(docx + QStringLiteral(".docx"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.read(2), QByteArray("PK"));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), activeWindow().size());
}

// Export to Word, Print Report's file and the drawing's Save each offer the matrix's name with
// their own extension beside the matrix's file, as Save As offers the matrix's own; a matrix
// never saved offers its generated name, without a folder, as Save As does for it.
TEST_F(ReportCommandsTest, OutputsAreOfferedBesideTheMatrixAndNamedAfterIt) {
    struct Output {
        const char* command;
        Kind asks;
        const char* extension;
    };
    const Output outputs[] = {
        {"mnuFileExportWord", Kind::SaveFile, "docx"},
        {"mnuFilePrintReport", Kind::Printer, "pdf"},
        {"mnuFileGenerate", Kind::SaveFile, "svg"},
    };
    const QFileInfo sample(QStringLiteral(VRN_SAMPLE_MATRIX));
    for (const bool saved : {true, false}) {
        if (!saved) {
            item("mnuFileNew").trigger();
            QApplication::processEvents();
        }
        frmMatrix& window = activeWindow();
        ASSERT_EQ(window.hasFilePath, saved);
        const QString stem =
            saved ? sample.absoluteDir().filePath(sample.completeBaseName()) : window.filename;
        for (const Output& output : outputs) {
            SCOPED_TRACE(output.command);
            prompt_.cancel();
            item(output.command).trigger();
            if (std::string_view(output.command) == "mnuFileExportWord") {
                QTRY_VERIFY_WITH_TIMEOUT(!window.Timer_Export_word.isEnabled(), 5000);
            } else if (std::string_view(output.command) == "mnuFileGenerate") {
                const QList<DrawingWindow*> drawings = main_.findChildren<DrawingWindow*>();
                ASSERT_FALSE(drawings.isEmpty());
                EXPECT_FALSE(drawings.back()->Save());
                delete drawings.back();
            }
            ASSERT_FALSE(prompt_.questions().empty());
            const ScriptedPrompt::Question& asked = prompt_.questions().back();
            ASSERT_EQ(asked.kind, output.asks);
            const QString offered =
                output.asks == Kind::Printer ? asked.printFile : asked.file.fileName;
            EXPECT_EQ(offered, stem + '.' + QLatin1String(output.extension));
        }
    }
    // What Page Setup chose to print into stays the offer.
    program_.Printer_Choice.outputFile = path("chosen.pdf");
    prompt_.cancel();
    item("mnuFilePrintReport").trigger();
    EXPECT_EQ(prompt_.questions().back().printFile, path("chosen.pdf"));
}

TEST_F(ReportCommandsTest, AFailedOrCancelledExportLeavesNoFile) {
    const QString missing = path("no/such/folder/report.docx");
    prompt_.answerText(missing);
    prompt_.answer(MsgBoxResult::Ok);
    activeWindow().Timer_Export_word_Timer();
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(questionsOf(Kind::MessageBox).size(), 1U);

    prompt_.cancel();
    activeWindow().Timer_Export_word_Timer();
    EXPECT_EQ(questionsOf(Kind::MessageBox).size(), 1U);
    EXPECT_TRUE(QDir(folder_.path()).isEmpty());
}

}  // namespace
}  // namespace vrn::testing
