#include "app/matrixwin/document_files.h"
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/scene_paintable.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/frm_main.h"
#include "model/vrn_matrix.h"
#include "platform/qt_prompt.h"
#include "platform/testing/memory_settings_store.h"
#include "platform/testing/recording_program_starter.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/modal_script.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

// A text longer than a line edit holds by default (32,767 characters) goes through the program's
// own boxes whole: the input box answered without a change, a paste into a field of the matrix
// window, a key pressed in a long field. The program here is the real one, with its real input
// boxes; the keys and the paste are the user's, and the file saved is read back.

namespace vrn::testing {
namespace {

// `length` characters of words, without quotes or line ends.
std::string longText(const char* word, qsizetype length) {
    std::string text;
    for (int n = 1; std::ssize(text) < length; ++n) {
        text += word + std::to_string(n) + ' ';
    }
    text.resize(static_cast<std::size_t>(length));
    text.back() = 'z';
    return text;
}

// The record a saved file holds for one of the matrix's texts.
QByteArray record(const char* name, const std::string& text) {
    return QByteArray("\"") + name + "\",\"" + QByteArray::fromStdString(text) + "\"\r\n";
}

class WholeTextsTest : public ::testing::Test {
protected:
    WholeTextsTest() : main_(program_, {settings_, prompt_, starter_}) {
        program_.Standalone = true;
        program_.Main_Window = &main_;
        main_.Show();
        QApplication::processEvents();
    }

    // Opens a matrix file made from `document` in a window that shows its attribution box.
    QString open(const std::function<void(VRN_Matrix&)>& fill) {
        auto document = std::make_shared<VRN_Matrix>();
        document->CreateNew({}, nullptr, true);
        document->CreateInit(1);
        fill(*document);
        const QString file = folder_.filePath(QStringLiteral("whole.vrn"));
        saveDocument(*document, file, false);
        openShowingAttribution(main_, file);
        return file;
    }

    // A press on the field opens its one-line editor; null when none took the focus.
    QWidget* pressOn(WindowControl& field) {
        main_.activateWindow();
        if (!QTest::qWaitForWindowActive(&main_)) {
            return nullptr;
        }
        frmMatrix& window = *main_.activeMatrixWindow();
        const QRect shown = dynamic_cast<const ScenePaintable&>(field).paintRect().toAlignedRect();
        QTest::mouseClick(&window.canvas(), Qt::LeftButton, {}, shown.center());
        QWidget* editor = QApplication::focusWidget();
        return editor == &window.fieldEditor() ? editor : nullptr;
    }

    // Ctrl+S from `from`; the attribution dialog that a save shows is left with OK. What `file`
    // holds then is what this save wrote.
    void save(const QString& file, QWidget& from) {
        QFile::remove(file);
        dialogs_.then("frmAttribution", [](QDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        QTest::keyClick(&from, Qt::Key_S, Qt::ControlModifier);
        QApplication::processEvents();
    }

    MemorySettingsStore settings_;
    QtPrompt prompt_{QStringLiteral("Vrn")};
    RecordingProgramStarter starter_;
    VrnMain program_;
    frmMain main_;
    QTemporaryDir folder_;
    ModalScript dialogs_;
};

TEST_F(WholeTextsTest, RenameMatrixAnsweredWithoutAChangeKeepsALongTitleWhole) {
    const std::string title = longText("title", 50000);
    const QString file = open([&title](VRN_Matrix& document) { document.title = title; });
    dialogs_.then("", [&title](QDialog& box) {
        // The box shows the whole title, and Return answers OK.
        auto* typed = box.findChild<QLineEdit*>();
        ASSERT_NE(typed, nullptr);
        EXPECT_EQ(typed->text().size(), std::ssize(title));
        QTest::keyClick(typed, Qt::Key_Return);
        EXPECT_EQ(box.result(), QDialog::Accepted);
    });
    menuItemOf(main_, "mnuRenameMatrix").trigger();
    QApplication::processEvents();
    frmMatrix& window = *main_.activeMatrixWindow();
    EXPECT_EQ(window.base()->title.size(), title.size());
    main_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main_));
    save(file, window.canvas());
    EXPECT_TRUE(fileBytes(file).contains(record("Title", title)));
}

TEST_F(WholeTextsTest, ALongTextPastedIntoAFieldIsSavedWhole) {
    const std::string sources = longText("source", 50000);
    const QString file = open([](VRN_Matrix&) {});
    QWidget* editor = pressOn(main_.activeMatrixWindow()->txtSources());
    ASSERT_NE(editor, nullptr);
    QGuiApplication::clipboard()->setText(QString::fromStdString(sources));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    save(file, *editor);
    EXPECT_EQ(main_.activeMatrixWindow()->base()->Sources.size(), sources.size());
    EXPECT_TRUE(fileBytes(file).contains(record("Sources", sources)));
}

TEST_F(WholeTextsTest, OneCharacterDeletedFromALongFieldLosesOnlyThatCharacter) {
    const std::string authors = longText("author", 40000);
    const QString file = open([&authors](VRN_Matrix& document) { document.Authors = authors; });
    QWidget* editor = pressOn(main_.activeMatrixWindow()->txtAuthors());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Backspace);
    save(file, *editor);
    const std::string kept = authors.substr(0, authors.size() - 1);
    EXPECT_EQ(main_.activeMatrixWindow()->base()->Authors, kept);
    EXPECT_TRUE(fileBytes(file).contains(record("Authors", kept)));
}

}  // namespace
}  // namespace vrn::testing
