#include "app/matrixwin/document_files.h"
#include "app/matrixwin/scene_paintable.h"
#include "model/vrn_matrix.h"
#include "model/vrn_state.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/platform/docx/docx_test_reader.h"
#include "tests/support/file_bytes.h"
#include "tests/support/modal_script.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <functional>

// What the user typed into a matrix window's text fields, with the cursor still in the box,
// reaches everything a command reads or writes of the document: the file, the attribution dialog
// and the reports. The keys and presses are the user's, on the real widgets.

namespace vrn::testing {
namespace {

enum class Field { Description, Authors };

struct TypedField {
    const char* name;
    Field field;
};

constexpr TypedField kFields[] = {{"description", Field::Description}, {"authors", Field::Authors}};

// The text of a printed report; nothing without pdftotext.
QString printedText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PendingEditsTest : public MainWindowFixture {
protected:
    PendingEditsTest() { load(); }

    QString path(const QString& name) const { return folder_.filePath(name); }

    // A matrix file with two alternatives, opened in a window of its own that shows its
    // attribution box.
    QString openNewMatrix(const QString& name) {
        auto document = std::make_shared<VRN_Matrix>();
        document->CreateNew({}, nullptr, true);
        document->CreateInit(2);
        document->Authors = "Old authors";
        const QString file = path(name);
        saveDocument(*document, file, false);
        openShowingAttribution(main_, file);
        return file;
    }

    static WindowControl& control(frmMatrix& window, Field field) {
        return field == Field::Description ? window.txtDescription() : window.txtAuthors();
    }
    static QRect shownAt(frmMatrix& window, Field field) {
        return dynamic_cast<const ScenePaintable&>(control(window, field))
            .paintRect()
            .toAlignedRect();
    }
    static QWidget& editorOf(frmMatrix& window, Field field) {
        return field == Field::Description ? static_cast<QWidget&>(window.descriptionEditor())
                                           : window.fieldEditor();
    }
    static std::string documentText(frmMatrix& window, Field field) {
        VRN_Matrix& document = *window.base();
        return field == Field::Description ? document.activeAlternative()->Description
                                           : document.Authors;
    }

    // A press on the field opens its editor, and `text` is typed into it; the cursor stays there.
    // The editor, or null when none took the keys.
    QWidget* typeInto(Field field, const QString& text) {
        // The program is the user's active window, also after a dialog.
        main_.activateWindow();
        if (!QTest::qWaitForWindowActive(&main_)) {
            return nullptr;
        }
        frmMatrix& window = activeWindow();
        QTest::mouseClick(&window.canvas(), Qt::LeftButton, {}, shownAt(window, field).center());
        QWidget* editor = QApplication::focusWidget();
        if (editor != &editorOf(window, field)) {
            return nullptr;
        }
        QTest::keyClicks(editor, text);
        return editor;
    }

    // The attribution dialog shows `authors` and is left with OK.
    void attributionShows(const std::string& authors) {
        dialogs_.then("frmAttribution", [authors](QDialog& dialog) {
            EXPECT_EQ(dialog.findChild<QLineEdit*>("txtAuthors")->text().toStdString(), authors);
            dialog.findChild<QPushButton*>("btnOK")->click();
        });
    }

    enum class Report { Printed, Word };

    // Makes the report into `file` (without its extension) with the focus where it is, and
    // gives its text: the printed one as pdftotext reads it, the Word one as its document part.
    QString reportText(Report report, const QString& file) {
        if (report == Report::Printed) {
            const QString pdf = file + QStringLiteral(".pdf");
            prompt_.answerPrintToFile(pdf);
            item("mnuFilePrintReport").trigger();
            return printedText(pdf);
        }
        const QString docx = file + QStringLiteral(".docx");
        prompt_.answerText(docx);
        item("mnuFileExportWord").trigger();
        if (!QTest::qWaitFor([this] { return !activeWindow().Timer_Export_word.isEnabled(); })) {
            return {};
        }
        return QString::fromStdString(DocxFile(docx.toStdString()).part("word/document.xml"));
    }

    QTemporaryDir folder_;
    ModalScript dialogs_;
};

TEST_F(PendingEditsTest, EverySaveWritesWhatWasTypedWithTheCursorStillInTheBox) {
    enum class Route { Key, Toolbar, SaveAs };
    const std::pair<const char*, Route> routes[] = {
        {"Ctrl+S", Route::Key}, {"the toolbar's Save", Route::Toolbar}, {"Save As", Route::SaveAs}};
    int n = 0;
    for (const auto& [name, route] : routes) {
        for (const TypedField& typed : kFields) {
            SCOPED_TRACE(std::string(name) + ", " + typed.name);
            const QString file = openNewMatrix(QStringLiteral("plan%1.vrn").arg(++n));
            frmMatrix& window = activeWindow();
            const QString text = QStringLiteral("Typed line %1").arg(n);
            QWidget* editor = typeInto(typed.field, text);
            ASSERT_NE(editor, nullptr);
            const std::string expected = typed.field == Field::Authors
                                             ? "Old authors" + text.toStdString()
                                             : text.toStdString();
            // The dialog loads what the box shows, and OK keeps it.
            attributionShows(typed.field == Field::Authors ? expected : "Old authors");
            // With the focus still in the box.
            QString written = file;
            if (route == Route::Key) {
                QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
            } else if (route == Route::Toolbar) {
                main_.toolbarButton("Save")->trigger();
            } else {
                written = file + QStringLiteral(".copy.vrn");
                prompt_.answerText(written);
                item("mnuFileSaveAs").trigger();
            }
            QApplication::processEvents();
            EXPECT_TRUE(fileBytes(written).contains(QByteArray::fromStdString(expected)))
                << fileBytes(written).toStdString();
            EXPECT_EQ(documentText(window, typed.field), expected);
            // The window shows what was saved.
            EXPECT_EQ(control(window, typed.field).text(), expected);
        }
    }
    EXPECT_EQ(prompt_.pendingAnswers(), 0U);
}

TEST_F(PendingEditsTest, ExitWithYesSavesWhatWasTypedInEveryWindow) {
    closeWithoutSaving();
    item("mnuFileClose").trigger();
    const QString first = openNewMatrix(QStringLiteral("first.vrn"));
    QMdiSubWindow* firstFrame = main_.activeChild();
    const QString second = openNewMatrix(QStringLiteral("second.vrn"));
    ASSERT_NE(typeInto(Field::Authors, QStringLiteral(" and the second")), nullptr);
    // The user switches windows, types on, and leaves the program from there.
    main_.mdiArea().setActiveSubWindow(firstFrame);
    ASSERT_NE(typeInto(Field::Description, QStringLiteral("Typed in the first")), nullptr);
    prompt_.answer(MsgBoxResult::Yes);
    prompt_.answer(MsgBoxResult::Yes);
    item("mnuFileExit").trigger();
    QApplication::processEvents();
    EXPECT_EQ(prompt_.pendingAnswers(), 0U);
    EXPECT_TRUE(fileBytes(first).contains("Typed in the first"));
    EXPECT_TRUE(fileBytes(second).contains("Old authors and the second"));
}

TEST_F(PendingEditsTest, TheReportsShowWhatWasTypedWithTheCursorStillInTheBox) {
    const bool pdfReadable = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    openNewMatrix(QStringLiteral("reported.vrn"));
    for (const Report report : {Report::Printed, Report::Word}) {
        if (report == Report::Printed && !pdfReadable) {
            continue;
        }
        for (const TypedField& typed : kFields) {
            const QString name = QStringLiteral("%1 %2").arg(
                report == Report::Printed ? QStringLiteral("printed") : QStringLiteral("word"),
                QLatin1String(typed.name));
            SCOPED_TRACE(name.toStdString());
            const QString text = QStringLiteral("Reported ") + name;
            ASSERT_NE(typeInto(typed.field, text), nullptr);
            const QString made = reportText(report, path(name));
            EXPECT_TRUE(made.contains(text)) << made.toStdString();
        }
    }
    if (!pdfReadable) {
        GTEST_SKIP() << "pdftotext (package poppler-utils) is needed to read the printed report";
    }
}

struct MovingRedraw {
    const char* name;
    Field field;
    // Draws the window again, or scrolls it, with the focus still in `editor`.
    std::function<void(frmMatrix&, QWidget& editor)> redraw;
    std::function<void(frmMatrix&, QWidget& editor)> undo;
};

// The wheel turned `notches` towards the user over the drawing, where the pointer rests.
void wheelOver(QWidget& canvas, int notches) {
    const QPointF at(canvas.width() - 5, canvas.height() - 5);
    QWheelEvent wheel(at, canvas.mapToGlobal(at), QPoint(),
                      QPoint(0, -notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas, &wheel);
}

TEST_F(PendingEditsTest, AnOpenEditorMovesWithItsFieldWhenTheWindowIsRedrawn) {
    const auto importanceKey = [](frmMatrix&, QWidget& editor) {
        QTest::keyClick(&editor, Qt::Key_I, Qt::ControlModifier);
    };
    const MovingRedraw redraws[] = {
        {"View > Importance by its key", Field::Authors, importanceKey, importanceKey},
        {"the wheel", Field::Description,
         [](frmMatrix& window, QWidget&) { wheelOver(window.canvas(), 1); },
         [](frmMatrix& window, QWidget&) { wheelOver(window.canvas(), -1); }},
    };
    openNewMatrix(QStringLiteral("importance.vrn"));
    frmMatrix& window = activeWindow();
    // Small enough to scroll.
    main_.activeChild()->resize(320, 240);
    for (const MovingRedraw& redraw : redraws) {
        SCOPED_TRACE(redraw.name);
        QWidget* editor = typeInto(redraw.field, QStringLiteral("Still typing"));
        ASSERT_NE(editor, nullptr);
        const QRect before = shownAt(window, redraw.field);
        redraw.redraw(window, *editor);
        const QRect after = shownAt(window, redraw.field);
        ASSERT_NE(after, before) << "the field did not move";
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->geometry(), after);
        EXPECT_EQ(QApplication::focusWidget(), editor);
        redraw.undo(window, *editor);
        EXPECT_EQ(editor->geometry(), before);
        // Return leaves the line; Escape leaves the description. What was typed stays.
        QTest::keyClick(editor, redraw.field == Field::Authors ? Qt::Key_Return : Qt::Key_Escape);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_NE(documentText(window, redraw.field).find("Still typing"), std::string::npos);
    }
}

TEST_F(PendingEditsTest, ADescriptionBeingTypedStaysWithItsAlternativeWhenAnotherIsChosen) {
    openNewMatrix(QStringLiteral("alternatives.vrn"));
    frmMatrix& window = activeWindow();
    VRN_Matrix& document = *window.base();
    ASSERT_EQ(document.Alt_i, 1);
    ASSERT_NE(typeInto(Field::Description, QStringLiteral("For the first")), nullptr);
    main_.mnuAlt().at(1)->trigger();
    ASSERT_EQ(document.Alt_i, 2);
    EXPECT_EQ(document.alternative(1)->Description, "For the first");
    EXPECT_EQ(document.alternative(2)->Description, "");
    EXPECT_EQ(window.txtDescription().text(), "");
}

}  // namespace
}  // namespace vrn::testing
