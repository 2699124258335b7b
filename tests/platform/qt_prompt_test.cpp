#include "platform/qt_prompt.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vrn {
namespace {

// Hands the next modal dialog of type Dialog to action once it is shown, as a user would answer
// it. A dialog of another kind, or none within five seconds, fails the test and is closed, so
// no test can hang on a dialog.
template <typename Dialog>
void answerNextDialog(std::function<void(Dialog*)> action) {
    auto* poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [poll, clock, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            poll->stop();
            poll->deleteLater();
            action(dialog);
        } else if (clock->elapsed() > 5000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the expected dialog did not appear";
            if (auto* other = qobject_cast<QDialog*>(modal)) {
                other->reject();
            }
        }
    });
    poll->start(10);
}

TEST(QtPrompt, MessageBoxShowsTheStyleAndReturnsThePressedButton) {
    QtPrompt prompt("Vrn");
    answerNextDialog<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Vrn");
        EXPECT_EQ(box->text(), "Save <b>now</b>?");
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->buttons().size(), 3);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(prompt.messageBox("Save <b>now</b>?", {.buttons = MsgBoxButtons::YesNoCancel,
                                                     .icon = MsgBoxIcon::Question,
                                                     .defaultButton = MsgBoxDefault::Button2}),
              MsgBoxResult::Yes);
}

TEST(QtPrompt, ClosingAMessageBoxGivesItsEscapeAnswer) {
    QtPrompt prompt("Vrn");
    answerNextDialog<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Exit Dependency Editor");
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->reject();
    });
    EXPECT_EQ(
        prompt.messageBox("Exit?", {.buttons = MsgBoxButtons::YesNo, .icon = MsgBoxIcon::Critical},
                          "Exit Dependency Editor"),
        MsgBoxResult::No);
}

TEST(QtPrompt, InputBoxReturnsTheTextOrNothingOnCancel) {
    QtPrompt prompt("Vrn");
    answerNextDialog<QInputDialog>([](QInputDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "New Name");
        EXPECT_EQ(dialog->labelText(), "Please Enter The New Name for this alternative");
        EXPECT_EQ(dialog->textValue(), "Alternative 1");
        dialog->setTextValue("Renamed");
        dialog->accept();
    });
    EXPECT_EQ(prompt.inputBox("Please Enter The New Name for this alternative", "New Name",
                              "Alternative 1"),
              QString("Renamed"));

    answerNextDialog<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(prompt.inputBox("Name?").has_value());
}

TEST(QtPrompt, SaveDialogTakesFilterExtensionAndFlags) {
    QtPrompt prompt("Vrn");
    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath("matrix");
    answerNextDialog<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Vrn");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters(), (QStringList{"Vrn-Matrix (*.vrn)", "All Files (*)"}));
        EXPECT_EQ(dialog->defaultSuffix(), "vrn");
        // Flags 2052 do not ask before replacing a file.
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        // Typed into the name box: selectFile would race the listing of the folder shown.
        auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(typed, nullptr);
        typed->setText(QFileInfo(target).fileName());
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    });
    const std::optional<QString> chosen =
        prompt.saveFile({.filter = "Vrn-Matrix (*.vrn)|*.vrn|All Files (*.*)|*.*",
                         .defaultExt = "vrn",
                         .fileName = QDir(dir.path()).filePath("Document_1_1"),
                         .flags = 2052});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).fileName(), "matrix.vrn");
}

TEST(QtPrompt, OpenDialogCancelAnswersNothing) {
    QtPrompt prompt("Vrn");
    answerNextDialog<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Open");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->reject();
    });
    EXPECT_FALSE(prompt.openFile({.title = "Open", .filter = "*.vrn|*.vrn", .flags = 4}));
}

TEST(QtPrompt, ColourDialogStartsFromTheGivenColourOnlyWithItsFlag) {
    QtPrompt prompt("Vrn");
    answerNextDialog<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Choose new color");
        EXPECT_EQ(dialog->currentColor(), QColor(1, 2, 3));
        dialog->setCurrentColor(QColor(9, 8, 7));
        dialog->accept();
    });
    EXPECT_EQ(prompt.chooseColor("Choose new color", QColor(1, 2, 3), ColorDialogFlags::RgbInit),
              QColor(9, 8, 7));

    answerNextDialog<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->currentColor(), QColor(Qt::black));
        dialog->reject();
    });
    EXPECT_FALSE(prompt.chooseColor("Colour", QColor(1, 2, 3), 0).has_value());
}

TEST(QtPrompt, PageSetupStartsFromTheChoiceAndAnswersThePrinterChosen) {
    QtPrompt prompt("Vrn");
    const QTemporaryDir folder;
    const PrinterChoice current{
        .outputFile = folder.filePath("setup.pdf"),
        .pageLayout = QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF())};
    answerNextDialog<QPrintDialog>([&current](QPrintDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Page Setup");
        EXPECT_EQ(dialog->printer()->outputFileName(), current.outputFile);
        EXPECT_EQ(dialog->printer()->pageLayout().pageSize().id(), QPageSize::A5);
        // It sets up the printer: nothing of one print, and no Print button.
        QStringList shown;
        for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->isVisibleTo(dialog)) {
                shown << button->text();
            }
        }
        EXPECT_TRUE(shown.contains("OK")) << shown.join(", ").toStdString();
        EXPECT_FALSE(shown.contains("&Print"));
        EXPECT_FALSE(shown.contains("&Options >>"));
        dialog->accept();
    });
    const std::optional<PrinterChoice> chosen = prompt.pageSetup(current);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->outputFile, current.outputFile);
    EXPECT_EQ(chosen->pageLayout.orientation(), QPageLayout::Landscape);

    answerNextDialog<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(prompt.pageSetup(current).has_value());
}

// The print dialog's file field offers the proposed file (a relative name from the current
// folder), unless the printer already prints into a file. The dialog is cancelled: nothing
// prints.
TEST(QtPrompt, PrintDialogOffersTheProposedFile) {
    QtPrompt prompt("Vrn");
    const QTemporaryDir folder;
    struct Case {
        QString printerFile;
        QString proposed;
        QString offered;
    };
    const Case cases[] = {
        {{}, folder.filePath("matrix.pdf"), folder.filePath("matrix.pdf")},
        {{}, "Document_1_1.pdf", QDir::current().absoluteFilePath("Document_1_1.pdf")},
        {folder.filePath("chosen.pdf"), folder.filePath("matrix.pdf"),
         folder.filePath("chosen.pdf")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.proposed.toStdString());
        QPrinter printer;
        if (!c.printerFile.isEmpty()) {
            printer.setOutputFileName(c.printerFile);
        }
        QString offered;
        answerNextDialog<QPrintDialog>([&offered](QPrintDialog* dialog) {
            if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) {
                offered = file->text();
            }
            dialog->reject();
        });
        EXPECT_FALSE(prompt.choosePrinter(printer, c.proposed));
        EXPECT_EQ(offered, c.offered);
    }
}

}  // namespace
}  // namespace vrn
