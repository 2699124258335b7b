#include "app/matrixwin/frm_directions_details.h"
#include "model/file/safe_save_file.h"
#include "model/reports/report_printer.h"
#include "model/vrn_matrix.h"
#include "model/vrn_state.h"
#include "platform/testing/scripted_prompt.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

#include <cerrno>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace vrn {
namespace {

class DirectionsDialogTest : public ::testing::Test {
protected:
    DirectionsDialogTest() {
        matrix_->Directions = "Start at the roof.";
        state_->Name = "Alternative 2";
        state_->Description = "Fewer layers";
        program_.Current_Matrix = matrix_;
    }

    // The dialog, printing into a list unless it prints as the program does.
    std::unique_ptr<FrmDirectionsDetails> open(const char* title, bool realPrinter = false) {
        program_.Dialog_Title = QLatin1String(title);
        program_.Directions_Object = state_;
        auto dialog = std::make_unique<FrmDirectionsDetails>(program_, prompt_);
        if (!realPrinter) {
            dialog->printText = [this](const QString& text) {
                if (!printFailure_.empty()) {
                    throw PrinterError(printFailure_);
                }
                printed_ << text;
            };
        }
        return dialog;
    }
    static void click(FrmDirectionsDetails& dialog, const char* button) {
        dialog.findChild<QPushButton*>(button)->click();
    }

    VrnMain program_;
    ScriptedPrompt prompt_;
    std::shared_ptr<VRN_Matrix> matrix_ = std::make_shared<VRN_Matrix>();
    std::shared_ptr<VRN_State> state_ = std::make_shared<VRN_State>();
    QStringList printed_;
    std::string printFailure_;
};

TEST_F(DirectionsDialogTest, TheTitleShowsTheStateNameAsTyped) {
    // A title bar would take "[*]" for the modified mark.
    state_->Name = "Plan [*] B";
    const auto dialog = open("Description");
    dialog->winId();
    ASSERT_NE(dialog->windowHandle(), nullptr);
    EXPECT_EQ(dialog->windowHandle()->title(), "Description of: Plan [*] B");
}

TEST_F(DirectionsDialogTest, TheDescriptionModeEditsTheStateItWasGiven) {
    const auto dialog = open("Description");
    EXPECT_EQ(dialog->windowTitle(), "Description of: Alternative 2");
    EXPECT_EQ(dialog->txtDirections().toPlainText(), "Fewer layers");
    dialog->txtDirections().setPlainText("Two layers");
    click(*dialog, "btnOK");
    EXPECT_EQ(state_->Description, "Two layers");
    EXPECT_EQ(matrix_->Directions, "Start at the roof.");
}

TEST_F(DirectionsDialogTest, AnyOtherModeEditsTheCurrentMatrixsDirections) {
    for (const char* title : {"Directions", "Something else"}) {
        const auto dialog = open(title);
        EXPECT_EQ(dialog->windowTitle(), "Directions");
        EXPECT_EQ(dialog->txtDirections().toPlainText(), "Start at the roof.");
    }
    const auto dialog = open("Directions");
    dialog->txtDirections().setPlainText("Start at the crossings.");
    click(*dialog, "btnOK");
    EXPECT_EQ(matrix_->Directions, "Start at the crossings.");
}

TEST_F(DirectionsDialogTest, ClosingWithoutOkDropsTheEdit) {
    const auto dialog = open("Directions");
    dialog->txtDirections().setPlainText("Never mind");
    dialog->reject();
    EXPECT_EQ(matrix_->Directions, "Start at the roof.");
}

TEST_F(DirectionsDialogTest, PrintPrintsTheTextAsEditedWhileTheModelKeepsTheOld) {
    const auto dialog = open("Directions");
    dialog->txtDirections().setPlainText("Edited, not yet kept");
    click(*dialog, "btnPrint");
    EXPECT_EQ(printed_, QStringList{"Edited, not yet kept"});
    EXPECT_EQ(matrix_->Directions, "Start at the roof.");
    EXPECT_TRUE(prompt_.questions().empty());

    printFailure_ = "The text could not be printed on 'Office'.";
    prompt_.answer(MsgBoxResult::Ok);
    click(*dialog, "btnPrint");
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(prompt_.questions()[0].text, QString::fromStdString(printFailure_));
}

TEST_F(DirectionsDialogTest, PrintIntoThePageSetupFileSavesItSafelyAndSaysWhyItCannot) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pdf = folder.filePath(QStringLiteral("directions.pdf"));
    program_.Printer_Choice = PrinterChoice{.outputFile = pdf};
    const auto dialog = open("Directions", true);
    const auto contents = [&pdf] {
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    click(*dialog, "btnPrint");
    EXPECT_TRUE(prompt_.questions().empty());
    const QByteArray bytes = contents();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));

    // Another program is writing the same file: the print waits its turn, and says so.
    SafeSaveFile other(pdf.toStdString());
    prompt_.answer(MsgBoxResult::Ok);
    click(*dialog, "btnPrint");
    ASSERT_EQ(prompt_.questions().size(), 1U);
    const QString message = prompt_.questions()[0].text;
    EXPECT_TRUE(message.contains(pdf) &&
                message.contains(QString::fromLocal8Bit(std::strerror(EBUSY))))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("no printer")));
    EXPECT_EQ(contents(), bytes);
}

TEST_F(DirectionsDialogTest, PrintWithoutAnyPrinterOffersAPdfFileAsPrintReportDoes) {
    if (!QPrinterInfo::defaultPrinterName().isEmpty()) {
        GTEST_SKIP() << "this system has a default printer";
    }
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pdf = folder.filePath(QStringLiteral("directions.pdf"));
    const auto dialog = open("Directions", true);
    prompt_.answerPrintToFile(pdf);
    click(*dialog, "btnPrint");
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(prompt_.questions()[0].kind, ScriptedPrompt::Kind::Printer);
    EXPECT_TRUE(prompt_.problems().isEmpty());
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().startsWith("%PDF-"));

    // The dialog cancelled, nothing is printed and nothing said.
    prompt_.cancel();
    click(*dialog, "btnPrint");
    ASSERT_EQ(prompt_.questions().size(), 2U);
    EXPECT_EQ(prompt_.questions()[1].kind, ScriptedPrompt::Kind::Printer);
}

TEST_F(DirectionsDialogTest, WithoutAMatrixTheDirectionsModeShowsAndWritesNothing) {
    program_.Current_Matrix = nullptr;
    const auto dialog = open("Directions");
    EXPECT_TRUE(dialog->txtDirections().toPlainText().isEmpty());
    dialog->txtDirections().setPlainText("Lost");
    click(*dialog, "btnOK");
    EXPECT_EQ(matrix_->Directions, "Start at the roof.");
}

}  // namespace
}  // namespace vrn
