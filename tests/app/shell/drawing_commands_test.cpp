#include "app/shell/drawing_commands.h"
#include "app/shell/drawing_window.h"
#include "model/file/safe_save_file.h"
#include "model/reports/drawing_cells.h"
#include "model/vrn_matrix.h"
#include "platform/html_export_page.h"
#include "platform/qt_prompt.h"
#include "platform/svg_font_metrics.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/model_doubles/fake_catalogue_entity.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vrn::testing {
namespace {

using Command = DrawingCommands::Command;
using Kind = ScriptedPrompt::Kind;

// Whether xmllint finds `file` well-formed XML (the web page is XHTML); nothing when the tool is
// missing.
std::optional<bool> wellFormed(const QString& file) {
    if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty()) {
        return std::nullopt;
    }
    const QStringList arguments{QStringLiteral("--noout"), file};
    QProcess process;
    process.start(QStringLiteral("xmllint"), arguments);
    process.waitForFinished(30000);
    return process.exitCode() == 0 && process.readAllStandardError().isEmpty();
}

// The drawing commands of the loaded program on the sample matrix.
class DrawingCommandsTest : public MainWindowFixture {
protected:
    DrawingCommandsTest() {
        load();
        main_.openMatrixFile(QStringLiteral(VRN_SAMPLE_MATRIX));
        QApplication::processEvents();
        commands_ = main_.findChild<DrawingCommands*>();
    }
    ~DrawingCommandsTest() override { qDeleteAll(drawings()); }

    QString path(const char* name) const { return folder_.filePath(QLatin1String(name)); }
    QList<DrawingWindow*> drawings() const { return main_.findChildren<DrawingWindow*>(); }

    // The drawing of the matrix file `file`, opened in a window of its own.
    DrawingWindow* drawingOf(const char* file) {
        main_.openMatrixFile(QString::fromUtf8(file));
        QApplication::processEvents();
        return commands_->run(Command::Generate);
    }

    static QString contents(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
    }

    // A template folder holding only the files named.
    QString templateFolder(const QStringList& files) {
        const QString folder = path("templates");
        QDir().mkpath(folder);
        for (const QString& file : files) {
            QFile::copy(Preferences::installedTemplatePath() + '/' + file, folder + '/' + file);
        }
        return folder;
    }

    QTemporaryDir folder_;
    DrawingCommands* commands_ = nullptr;
};

TEST_F(DrawingCommandsTest, GenerateShowsTheDrawingInItsOwnWindowWhichSavesIt) {
    ASSERT_NE(commands_, nullptr);
    item("mnuFileGenerate").trigger();
    ASSERT_EQ(drawings().size(), 1);
    DrawingWindow& drawing = *drawings().front();
    EXPECT_TRUE(drawing.isVisible());
    EXPECT_EQ(
        drawing.windowTitle(),
        QStringLiteral("Drawing - %1").arg(QString::fromStdString(activeWindow().base()->title)));
    EXPECT_GT(drawing.page().shapeCount(), 20U);
    if (const char* pictures = std::getenv("VRN_SCREENSHOT_DIR")) {
        QApplication::processEvents();
        drawing.grab().save(QString::fromLocal8Bit(pictures) +
                            QStringLiteral("/drawing-window.png"));
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(prompt_.questions().empty());

    struct Case {
        const char* file;
        const char* marker;
    };
    for (const Case& c : {Case{"matrix.svg", "<svg"}, Case{"matrix.html", "<html"}}) {
        SCOPED_TRACE(c.file);
        prompt_.answerText(path(c.file));
        drawing.findChild<QPushButton*>(QStringLiteral("btnSave"))->click();
        QFile saved(path(c.file));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_TRUE(saved.readAll().contains(c.marker));
        if (const std::optional<bool> ok = wellFormed(path(c.file))) {
            EXPECT_TRUE(*ok);
        }
    }
    EXPECT_EQ(prompt_.questions().back().file.defaultExt, QStringLiteral("svg"));

    // A file that cannot be written is reported.
    prompt_.answerText(path("no/such/folder/matrix.svg"));
    prompt_.answer(MsgBoxResult::Ok);
    EXPECT_FALSE(drawing.Save());
    EXPECT_TRUE(prompt_.questions().back().text.startsWith(
        QStringLiteral("The drawing could not be saved: ")));
}

TEST_F(DrawingCommandsTest, AMissingTemplateOrStencilGivesEachCommandsOwnMessage) {
    struct Case {
        Command command;
        QStringList files;
        const char* message;
    };
    const Case cases[] = {
        {Command::Generate,
         {},
         "Can't find the file 'Basic Diagram.VST' that was installed with VRN. Is the template "
         "directory correctly specified (see options)?"},
        {Command::GenerateHtml,
         {},
         "Can't find 'Basic Diagram.VST'. Is the Visio template directory correctly specified (see "
         "options)?"},
        {Command::Diagnose,
         {},
         "Can't find 'Basic Diagram.VST'. Is the template directory correctly specified (see "
         "options)?"},
        {Command::Generate,
         {"Basic Diagram.VST"},
         "Can't find the file 'Basic Shapes.VSS' that was installed with VRN. Is the template "
         "directory correctly specified (see options)?"},
        {Command::GenerateHtml,
         {"Basic Diagram.VST"},
         "Can't find 'Basic Shapes.VSS'. Is the Visio template directory correctly specified (see "
         "options)?"},
        {Command::Diagnose,
         {"Basic Diagram.VST"},
         "Can't find 'Basic Shapes.VSS'. Is the template directory correctly specified (see "
         "options)?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        QDir(path("templates")).removeRecursively();
        program_.prefs.VisioTemplatePath = templateFolder(c.files);
        prompt_.answer(MsgBoxResult::Ok);
        EXPECT_EQ(commands_->run(c.command), nullptr);
        const ScriptedPrompt::Question& asked = prompt_.questions().back();
        EXPECT_EQ(asked.text, QLatin1String(c.message));
        EXPECT_EQ(asked.title, QStringLiteral("Problem generating Visio"));
        EXPECT_EQ(asked.style.icon, MsgBoxIcon::Critical);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_TRUE(drawings().isEmpty());
    // A Diagnose that failed leaves the diagnostics on; one that ends well turns them off.
    EXPECT_TRUE(program_.Visio_Debug);
    program_.prefs.VisioTemplatePath.clear();
    ASSERT_NE(commands_->run(Command::Diagnose), nullptr);
    EXPECT_FALSE(program_.Visio_Debug);
}

TEST_F(DrawingCommandsTest, GenerateHtmlPublishesThePageForTheWindowsEntity) {
    auto entity = std::make_shared<FakeCatalogueEntity>(
        "Orders </script>", std::map<std::string, CatalogueValue>{{"kt_ID", std::int64_t{42}}});
    activeWindow().setEnt(entity);
    VRN_Matrix& document = *activeWindow().base();
    // No separator at the end of the folder: the page still goes into it.
    document.VRN_HTML_Path = folder_.path().toStdString();
    document.VRN_HTML_URL = "http://host/maps";
    item("mnuFileGenerateHTML").setEnabled(true);
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuFileGenerateHTML").trigger();

    ASSERT_EQ(drawings().size(), 1);
    const QStringList pages = QDir(folder_.path()).entryList({QStringLiteral("*.html")});
    ASSERT_EQ(pages.size(), 1) << pages.join(' ').toStdString();
    if (const std::optional<bool> ok = wellFormed(folder_.filePath(pages.front()))) {
        EXPECT_TRUE(*ok);
    }
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_TRUE(prompt_.questions().front().text.contains(pages.front()));
    EXPECT_NO_THROW(entity->GetAttributeValue("Link_Dependency_Map"));
}

TEST_F(DrawingCommandsTest, AFailedDrawingStepIsReportedAndShowsNoWindow) {
    // Without a catalogue entity there is nothing to publish the page for.
    prompt_.answer(MsgBoxResult::Ok);
    EXPECT_EQ(commands_->run(Command::GenerateHtml), nullptr);
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_TRUE(prompt_.questions().front().text.endsWith(QStringLiteral(" Error Number:0")))
        << prompt_.questions().front().text.toStdString();
    EXPECT_TRUE(prompt_.questions().front().title.isEmpty());
    EXPECT_TRUE(drawings().isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DrawingCommandsTest, AnotherKindOfActiveWindowIsNotDrawn) {
    QMdiSubWindow* other = main_.mdiArea().addSubWindow(new QWidget);
    other->show();
    main_.mdiArea().setActiveSubWindow(other);
    prompt_.answer(MsgBoxResult::Ok);
    EXPECT_EQ(commands_->run(Command::Generate), nullptr);
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(prompt_.questions().front().text, QStringLiteral("TBD: Generate Visio"));
    delete other;
}

// Where the text of `shape` falls outside the shape, or one line over another; empty when it lies
// whole inside, line under line.
std::string misplacedText(const SvgShape& shape) {
    constexpr double kSlack = 1e-6;  // points
    const DrawingTextLayout text = shape.textLayout();
    const double width = std::abs(shape.Cell(cells::Width)) * kPointsPerInch;
    const double height = std::abs(shape.Cell(cells::Height)) * kPointsPerInch;
    double above = 0;
    for (const DrawingTextLine& line : text.lines) {
        if (line.left < -kSlack || line.left + line.width > width + kSlack) {
            return "\"" + line.text + "\" runs out at a side";
        }
        if (line.baseline - text.ascent < above - kSlack) {
            return "\"" + line.text + "\" lies over the line above it or the top";
        }
        if (line.baseline + text.descent > height + kSlack) {
            return "\"" + line.text + "\" runs out at the bottom";
        }
        above = line.baseline + text.descent;
    }
    return {};
}

TEST_F(DrawingCommandsTest, EveryTextOfTheDrawingLiesInsideItsShape) {
    struct Case {
        const char* file;
        bool shortens;  // a text had to be shortened to fit
    };
    for (const Case& c : {Case{VRN_SAMPLE_MATRIX, false}, Case{VRN_LONG_NAMES_MATRIX, true}}) {
        SCOPED_TRACE(c.file);
        DrawingWindow* drawing = drawingOf(c.file);
        ASSERT_NE(drawing, nullptr);
        int texts = 0;
        int turned = 0;
        int shortened = 0;
        for (const SvgShape* shape : drawing->page().paintingOrder()) {
            if (shape->text().empty() || shape->kind() != MasterKind::Rectangle) {
                continue;
            }
            const DrawingTextLayout text = shape->textLayout();
            EXPECT_EQ(misplacedText(*shape), "") << shape->text();
            EXPECT_FALSE(text.lines.empty()) << shape->text() << " shows nothing";
            ++texts;
            turned += shape->Cell(cells::Angle) != 0 ? 1 : 0;
            shortened += text.shortened ? 1 : 0;
        }
        EXPECT_GT(texts, 30);
        EXPECT_GT(turned, 5);
        EXPECT_EQ(shortened > 0, c.shortens) << shortened << " texts shortened";
        // scripts/drawing-sample.sh renders these.
        if (const char* keep = std::getenv("VRN_DRAWING_DIR")) {
            const std::filesystem::path kept =
                std::filesystem::path(keep) / QFileInfo(c.file).completeBaseName().toStdString();
            drawing->page().SaveSvg(std::filesystem::path(kept).replace_extension(".svg"));
            SaveDrawingFile(std::filesystem::path(kept).replace_extension(".html"),
                            HtmlExportPage(drawing->page()));
        }
        drawing->close();
    }
}

TEST_F(DrawingCommandsTest, TheDrawingWindowFitsTheScreen) {
    DrawingWindow* drawing = drawingOf(VRN_LONG_NAMES_MATRIX);
    ASSERT_NE(drawing, nullptr);
    QApplication::processEvents();
    const QRect free = drawing->screen()->availableGeometry();
    EXPECT_TRUE(free.contains(drawing->frameGeometry()))
        << drawing->frameGeometry().bottom() << " below " << free.bottom();
    // The drawing is larger than the screen, so the window takes most of it.
    EXPECT_GT(drawing->height(), free.height() / 2);
}

// Answers the next real save dialog as a user does: chooses the type `nameFilter`, types `name`
// and presses Save. A question on the way (whether to replace a file) fails the test.
void answerSaveDialog(const QString& nameFilter, const QString& name) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, nameFilter, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        while (types != nullptr && dialog->selectedNameFilter() != nameFilter &&
               types->currentIndex() + 1 < types->count()) {
            QTest::keyClick(types, Qt::Key_Down);
        }
        EXPECT_EQ(dialog->selectedNameFilter(), nameFilter);
        // Typed into the name box, as a user does: selectFile would race the dialog's listing of
        // the folder it already shows, and could leave the box empty.
        dialog->setDirectory(QFileInfo(name).path());
        auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(typed, nullptr);
        typed->setText(QFileInfo(name).fileName());
        // The Save button asks any question before the dialog closes.
        QTimer question;
        QObject::connect(&question, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "asked: " << box->text().toStdString();
                box->reject();
            }
        });
        question.start(10);
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    poll->start(10);
}

TEST_F(DrawingCommandsTest, SaveWritesTheTypeChosenUnderItsExtension) {
    const QString templates = Preferences::installedTemplatePath();
    const DrawingTemplate layout =
        ReadDrawingTemplate(templates.toStdString() + "/" + kDrawingTemplateFile);
    auto stencil = DrawingStencilFile::Open(templates.toStdString() + "/" + kDrawingStencilFile);
    auto page =
        std::make_unique<SvgDrawingPage>(layout, std::make_shared<SvgFontMetrics>(layout.font));
    page->Drop(stencil->Item("Rectangle"), 1, 1)->setText("Annual budget");
    QtPrompt dialogs(QStringLiteral("Vrn"));
    // No name offered: the names typed are the test's.
    auto* drawing =
        new DrawingWindow(std::move(page), std::move(stencil), dialogs, QString(), &main_);

    // An older drawing of the same name must not be offered for replacing.
    QFile old(path("matrix.svg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old drawing");
    old.close();
    answerSaveDialog(QStringLiteral("Web Page (*.html)"), path("matrix"));
    EXPECT_TRUE(drawing->Save());
    EXPECT_TRUE(contents(path("matrix.html")).startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_EQ(contents(path("matrix.svg")), QStringLiteral("old drawing"));

    answerSaveDialog(QStringLiteral("SVG Drawing (*.svg)"), path("plain"));
    EXPECT_TRUE(drawing->Save());
    EXPECT_TRUE(contents(path("plain.svg")).contains(QStringLiteral("<svg")));
    delete drawing;
}

TEST_F(DrawingCommandsTest, ASaveThatFailsKeepsThePreviousFileAndSaysWhy) {
    DrawingWindow* drawing = drawingOf(VRN_SAMPLE_MATRIX);
    ASSERT_NE(drawing, nullptr);
    for (const char* name : {"matrix.svg", "matrix.html"}) {
        SCOPED_TRACE(name);
        QFile previous(path(name));
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("previous drawing");
        previous.close();
        prompt_.answerText(path(name));
        prompt_.answer(MsgBoxResult::Ok);
        bool saved = true;
        {
            const FileSizeLimit full(1024);
            saved = drawing->Save();
        }
        EXPECT_FALSE(saved);
        const QString told = prompt_.questions().back().text;
        EXPECT_TRUE(told.contains(QString::fromUtf8(std::strerror(EFBIG)))) << told.toStdString();
        EXPECT_TRUE(told.contains(path(name))) << told.toStdString();
        EXPECT_EQ(contents(path(name)), QStringLiteral("previous drawing"));
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(
            SafeSaveFile::TemporaryPathFor(path(name).toStdString()).string())));
    }
}

}  // namespace
}  // namespace vrn::testing
