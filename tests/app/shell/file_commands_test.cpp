#include "app/matrixwin/canvas_counts.h"
#include "app/matrixwin/document_files.h"
#include "app/matrixwin/scene_paintable.h"
#include "model/file/string_sink.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/modal_script.h"
#include "tests/support/saved_bytes.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace vrn::testing {
namespace {

using Kind = ScriptedPrompt::Kind;

const QString kOpenFilter = QStringLiteral("*.vrn|*.vrn|All Files (*.*)|*.*");
const QString kSaveFilter = QStringLiteral("Vrn-Matrix (*.vrn)|*.vrn|All Files (*.*)|*.*");
const QString kLockedRefusal =
    QStringLiteral("This matrix is locked.  A locked matrix can only be saved to a new file name.");

bool pdfToolsAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// What `tool` prints for `arguments`.
QString runTool(const char* tool, const QStringList& arguments) {
    QProcess process;
    process.start(QLatin1String(tool), arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A question about the matrix window captioned `caption`, as the window puts it.
QString about(const QString& caption, const char* question) {
    return caption + QStringLiteral("\n\n") + QLatin1String(question);
}

// What the model's writer makes of `document`.
QByteArray writerBytes(VRN_Matrix& document, bool unlocked = false) {
    return QByteArray::fromStdString(SavedBytes(document, unlocked));
}

// The File menu's document commands in the loaded stand-alone program, with files in a folder of
// the test's own.
class FileCommandsTest : public MainWindowFixture {
protected:
    FileCommandsTest() { load(); }

    QString path(const char* name) const { return folder_.filePath(QLatin1String(name)); }

    // A matrix file made by the model without a window: two alternatives, changed by `change`.
    QString writeMatrix(const char* name,
                        const std::function<void(VRN_Matrix&)>& change = nullptr) {
        auto document = std::make_shared<VRN_Matrix>();
        document->CreateNew({}, nullptr, true);
        document->CreateInit(2);
        document->title = "Plan";
        if (change) {
            change(*document);
        }
        const QString file = path(name);
        saveDocument(*document, file, false);
        return file;
    }

    // File > Open of `file`.
    void open(const QString& file) {
        prompt_.answerText(file);
        item("mnuFileOpen").trigger();
        QApplication::processEvents();
    }

    // The attribution dialog answers OK, as the user leaves it.
    void attributionOk() {
        dialogs_.then("frmAttribution",
                      [](QDialog& dialog) { dialog.findChild<QPushButton*>("btnOK")->click(); });
    }

    const ScriptedPrompt::Question& lastQuestion() const { return prompt_.questions().back(); }

    // The key as the user presses it, with the main window active.
    void pressCtrlS() {
        main_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main_));
        QTest::keyClick(&main_, Qt::Key_S, Qt::ControlModifier);
    }
    VRN_Matrix& document() { return *activeWindow().base(); }

    QTemporaryDir folder_;
    ModalScript dialogs_;
};

TEST_F(FileCommandsTest, OpenShowsTheFileInANewWindowBoundToItsPath) {
    const QString file = writeMatrix("plan.vrn");
    open(file);
    const ScriptedPrompt::Question& asked = prompt_.questions().at(0);
    EXPECT_EQ(asked.kind, Kind::OpenFile);
    EXPECT_EQ(asked.file.filter, kOpenFilter);
    EXPECT_EQ(asked.file.flags, 4);
    EXPECT_EQ(windowCaptions(), QStringList({"Document 1", file}));
    frmMatrix& window = activeWindow();
    EXPECT_EQ(window.filename, file);
    EXPECT_TRUE(window.hasFilePath);
    EXPECT_EQ(document().title, "Plan");
    EXPECT_EQ(document().Alt_count, 2);
    EXPECT_EQ(program_.Current_Matrix, window.base());
    EXPECT_EQ(window.canvasCounts(), shownByDocument(document()));
    EXPECT_GT(window.canvasCounts().interactionCells, 0);
    // The file's size for the window, to the pixel.
    EXPECT_NEAR(window.Height(), 8000, 15);
}

TEST_F(FileCommandsTest, TheDirectionsShowBeforeTheWindowIsBoundToTheFile) {
    const QString file =
        writeMatrix("directions.vrn", [](VRN_Matrix& m) { m.Directions = "Read the roof first"; });
    dialogs_.then("FrmDirectionsDetails", [this](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QPlainTextEdit*>("txtDirections")->toPlainText(),
                  "Read the roof first");
        EXPECT_FALSE(activeWindow().hasFilePath);
        EXPECT_EQ(activeWindow().Caption(), "Document 2");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    open(file);
    EXPECT_EQ(activeWindow().Caption(), file);
}

TEST_F(FileCommandsTest, TheGuidedQuestionsAreAskedOnceForAnUnderlinedGroupWithOptions) {
    const QString file = writeMatrix("guided.vrn", [](VRN_Matrix& m) {
        const auto group = m.Existing()->PGroups.Item(1);
        group->setName("Hiring");
        group->setFontUnderlined(true);
        std::make_shared<VRN_Optiongroup>()->Create("How?", group->PracticeParts.Item(1), nullptr);
    });
    QSignalSpy guided(&main_, &frmMain::guidedQuestionsRequested);
    open(file);
    ASSERT_EQ(guided.count(), 1);
    const auto group = guided[0][0].value<std::shared_ptr<VRN_PracticeGroup>>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Name(), "Hiring");
    EXPECT_FALSE(document().Auto_PGroup_Dialogue);
}

TEST_F(FileCommandsTest, InteractionsOfColourZeroShowTheirSymbolsOnTheNormalCellColour) {
    // A document without a window stores colour 0 for every interaction.
    const char* const values[] = {"+", "-", "?"};
    const QString file = writeMatrix("plain.vrn", [&values](VRN_Matrix& m) {
        for (int i = 0; i < 3; ++i) {
            m.Interactions.Item(i + 1)->setValue(values[i]);
        }
    });
    open(file);
    frmMatrix& window = activeWindow();
    window.showMaximized();
    QApplication::processEvents();
    const QImage picture = window.canvas().grab().toImage();
    const QColor normal = QApplication::palette().color(QPalette::Button);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(values[i]);
        const auto interaction = document().Interactions.Item(i + 1);
        ASSERT_EQ(interaction->color, 0);
        const auto* cell = dynamic_cast<const ScenePaintable*>(interaction->Display.get());
        ASSERT_NE(cell, nullptr);
        const QRect area = cell->paintRect().toAlignedRect().adjusted(1, 1, -1, -1);
        ASSERT_TRUE(picture.rect().contains(area));
        int background = 0;
        int ink = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                background += pixel == normal ? 1 : 0;
                ink += pixel.lightness() < normal.lightness() / 2 ? 1 : 0;
            }
        }
        const int pixels = area.width() * area.height();
        EXPECT_GT(background, pixels / 2) << "the cell is not in the normal colour";
        EXPECT_GT(ink, 0) << "the symbol does not show";
        EXPECT_LT(ink, pixels / 3) << "the cell is dark";
    }
}

struct DamagedFile {
    const char* name;
    std::function<void(const QString& file)> damage;
    const char* title;
};

TEST_F(FileCommandsTest, AFileThatCannotBeReadLeavesNoWindowBoundToIt) {
    const DamagedFile cases[] = {
        {"missing.vrn", [](const QString& file) { QFile::remove(file); }, "Can't perform load"},
        {"truncated.vrn",
         [](const QString& file) { QFile(file).resize(fileBytes(file).size() / 2); },
         "Can't perform load"},
        {"newer.vrn",
         [](const QString& file) {
             QByteArray bytes = fileBytes(file);
             bytes.replace("\"Version\",3", "\"Version\",4");
             QFile out(file);
             out.open(QIODevice::WriteOnly);
             out.write(bytes);
         },
         "Can't perform load"},
    };
    for (const DamagedFile& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = writeMatrix(c.name);
        c.damage(file);
        const QByteArray before = fileBytes(file);
        const std::size_t asked = prompt_.questions().size();
        prompt_.answerText(file);
        prompt_.answer(MsgBoxResult::Ok);
        item("mnuFileOpen").trigger();
        QApplication::processEvents();
        ASSERT_EQ(prompt_.questions().size(), asked + 2);
        EXPECT_EQ(lastQuestion().kind, Kind::MessageBox);
        EXPECT_EQ(lastQuestion().title, QLatin1String(c.title));
        EXPECT_EQ(lastQuestion().style.icon, MsgBoxIcon::Critical);
        EXPECT_EQ(windowCaptions(), QStringList{"Document 1"});
        EXPECT_EQ(activeWindow().filename, "Document_1_1");
        EXPECT_EQ(program_.Current_Matrix, activeWindow().base());
        EXPECT_EQ(fileBytes(file), before);
        // Coming back to the program finds the window it left, and makes no new document.
        for (int i = 0; i < 3; ++i) {
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&main_, &activate);
            QApplication::processEvents();
        }
        EXPECT_EQ(windowCaptions(), QStringList{"Document 1"});
        EXPECT_EQ(activeWindow().filename, "Document_1_1");
    }
}

TEST_F(FileCommandsTest, AWindowLeftWithoutTheFocusTakesItBackInsteadOfANewDocument) {
    item("mnuFileNew").trigger();
    main_.mdiArea().setActiveSubWindow(nullptr);
    ASSERT_EQ(main_.activeChild(), nullptr);
    main_.MDIForm_Activate();
    main_.MDIForm_Activate();
    EXPECT_EQ(windowCaptions(), QStringList({"Document 1", "Document 2"}));
    EXPECT_EQ(activeWindow().Caption(), "Document 2");
}

TEST_F(FileCommandsTest, OpenListsTheFilesAlternativesInTheMenuAtOnce) {
    const QString file =
        writeMatrix("three.vrn", [](VRN_Matrix& m) { m.new_alternative("Third"); });
    open(file);
    ASSERT_EQ(document().Alt_count, 3);
    const std::vector<QAction*>& items = main_.mnuAlt();
    ASSERT_EQ(items.size(), 3U);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->text(), QString::fromStdString(document().alternative(i + 1)->Name));
        EXPECT_EQ(items[i]->isChecked(), i + 1 == document().Alt_i) << i;
    }
    EXPECT_TRUE(item("mnuAltDel").isEnabled());
}

TEST_F(FileCommandsTest, SavingANewDocumentGoesToSaveAsWithItsGeneratedName) {
    const QString file = path("new.vrn");
    attributionOk();
    prompt_.answerText(file);
    item("mnuFileSave").trigger();
    const ScriptedPrompt::Question& asked = lastQuestion();
    EXPECT_EQ(asked.kind, Kind::SaveFile);
    EXPECT_EQ(asked.file.fileName, "Document_1_1");
    EXPECT_EQ(asked.file.filter, kSaveFilter);
    EXPECT_EQ(asked.file.defaultExt, "vrn");
    EXPECT_EQ(asked.file.flags, 2052);
    EXPECT_EQ(fileBytes(file), writerBytes(document()));
    EXPECT_FALSE(document().Modified.empty());
    EXPECT_EQ(activeWindow().filename, file);
    EXPECT_EQ(activeWindow().Caption(), file);
    EXPECT_TRUE(activeWindow().hasFilePath);

    // Saved once, it is saved to its file without a dialog.
    document().title = "Second draft";
    attributionOk();
    item("mnuFileSave").trigger();
    EXPECT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(fileBytes(file), writerBytes(document()));
    EXPECT_TRUE(fileBytes(file).contains("Second draft"));
}

TEST_F(FileCommandsTest, ALockedMatrixIsNeverWrittenBackToItsOwnFile) {
    const QString file = writeMatrix("locked.vrn", [](VRN_Matrix& m) { m.locked = true; });
    open(file);
    const QByteArray before = fileBytes(file);
    dialogs_.then("frmAttribution", [](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("chkLock")->isChecked());
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    const QString copy = path("copy.vrn");
    prompt_.answerText(file);
    prompt_.answer(MsgBoxResult::Ok);
    prompt_.answerText(copy);
    // The menu item is off for a locked matrix; the toolbar's button still saves.
    EXPECT_FALSE(item("mnuFileSave").isEnabled());
    main_.tbToolBar_ButtonClick("Save");
    const auto& asked = prompt_.questions();
    ASSERT_EQ(asked.size(), 4U);
    // The new name is proposed in the matrix's own folder.
    EXPECT_EQ(asked[1].file.fileName, path("new filename"));
    EXPECT_EQ(asked[2].text, kLockedRefusal);
    EXPECT_EQ(asked[3].kind, Kind::SaveFile);
    EXPECT_EQ(fileBytes(file), before);
    EXPECT_TRUE(fileBytes(copy).contains("\"Locked\",#TRUE#"));
    EXPECT_EQ(activeWindow().filename, copy);
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheWindowsNameAndCaptionAndSaysSo) {
    QDir(folder_.path()).mkdir("gone");
    const QString file = writeMatrix("gone/plan.vrn");
    open(file);
    QDir(path("gone")).removeRecursively();
    attributionOk();
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuFileSave").trigger();
    EXPECT_EQ(lastQuestion().title, "Can't perform save");
    EXPECT_EQ(lastQuestion().style.icon, MsgBoxIcon::Critical);
    EXPECT_EQ(activeWindow().filename, file);
    EXPECT_EQ(activeWindow().Caption(), file);

    // Save As to a folder that is not there either.
    attributionOk();
    prompt_.answerText(path("gone/elsewhere.vrn"));
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuFileSaveAs").trigger();
    EXPECT_EQ(lastQuestion().title, "Can't perform save");
    EXPECT_EQ(activeWindow().filename, file);
    EXPECT_EQ(activeWindow().Caption(), file);
}

TEST_F(FileCommandsTest, SaveAsAsksBeforeReplacingAnotherFile) {
    const QString other = writeMatrix("other.vrn", [](VRN_Matrix& m) { m.title = "Other"; });
    const QByteArray before = fileBytes(other);
    attributionOk();
    prompt_.answerText(other);
    prompt_.answer(MsgBoxResult::No);
    prompt_.cancel();
    prompt_.answer(MsgBoxResult::Cancel);
    item("mnuFileSaveAs").trigger();
    const auto& asked = prompt_.questions();
    ASSERT_EQ(asked.size(), 4U);
    EXPECT_EQ(asked[1].style.buttons, MsgBoxButtons::YesNo);
    EXPECT_TRUE(asked[1].text.contains(other));
    EXPECT_EQ(asked[3].text,
              about("Document 1", "You must use a different file name for a 'Save As' ?"));
    EXPECT_EQ(asked[3].title, "Save file As");
    EXPECT_EQ(fileBytes(other), before);
    EXPECT_FALSE(activeWindow().hasFilePath);

    attributionOk();
    prompt_.answerText(other);
    prompt_.answer(MsgBoxResult::Yes);
    item("mnuFileSaveAs").trigger();
    EXPECT_EQ(fileBytes(other), writerBytes(document(), true));
    EXPECT_EQ(activeWindow().filename, other);
}

TEST_F(FileCommandsTest, SaveAsOfALockedMatrixWritesAnUnlockedCopyOrGivesTheLockBack) {
    const QString file = writeMatrix("locked.vrn", [](VRN_Matrix& m) { m.locked = true; });
    open(file);
    dialogs_.then("frmAttribution", [this](QDialog& dialog) {
        EXPECT_FALSE(dialog.findChild<QCheckBox*>("chkLock")->isChecked());
        EXPECT_TRUE(program_.Save_As_Locked);
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    // Cancel keeps the name the dialog was given: the window's own, which it refuses.
    prompt_.cancel();
    prompt_.answer(MsgBoxResult::Ok);
    prompt_.cancel();
    prompt_.answer(MsgBoxResult::Cancel);
    item("mnuFileSaveAs").trigger();
    EXPECT_TRUE(document().locked);
    EXPECT_EQ(activeWindow().filename, file);

    attributionOk();
    const QString copy = path("unlocked.vrn");
    prompt_.answerText(copy);
    item("mnuFileSaveAs").trigger();
    EXPECT_TRUE(fileBytes(copy).contains("\"Locked\",#FALSE#"));
    EXPECT_FALSE(document().locked);
    EXPECT_EQ(activeWindow().Caption(), copy);
}

struct CloseCase {
    const char* name;
    std::function<void(ScriptedPrompt&, const QString& file)> answers;
    bool saved;
};

TEST_F(FileCommandsTest, ClosingANewDocumentAsksWhetherToSaveIt) {
    const CloseCase cases[] = {
        {"no, then exit without saving",
         [](ScriptedPrompt& p, const QString&) {
             p.answer(MsgBoxResult::No);
             p.answer(MsgBoxResult::Yes);
         },
         false},
        {"no, then save after all",
         [](ScriptedPrompt& p, const QString& file) {
             p.answer(MsgBoxResult::No);
             p.answer(MsgBoxResult::No);
             p.answerText(file);
         },
         true},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        item("mnuFileNew").trigger();
        const QString file = path("closed.vrn");
        QFile::remove(file);
        c.answers(prompt_, file);
        item("mnuFileClose").trigger();
        QApplication::processEvents();
        EXPECT_EQ(windowCaptions().size(), 1);
        EXPECT_EQ(QFile::exists(file), c.saved);
        EXPECT_EQ(prompt_.pendingAnswers(), 0U);
    }
    EXPECT_EQ(prompt_.questions()[0].text,
              about("Document 2", "Do you want to save the file before closing ?"));
    EXPECT_EQ(prompt_.questions()[0].title, "Exit Dependency Editor");
    EXPECT_EQ(
        prompt_.questions()[1].text,
        about("Document 2",
              "Any changes you have made will be lost.  Do you want to exit without saving ?"));
}

struct UnsavedCloseCase {
    const char* name;
    bool locked;
    // The title typed before closing.
    const char* title;
    std::function<void(ScriptedPrompt&, const QString& file)> answers;
};

TEST_F(FileCommandsTest, AClosingSaveThatDoesNotHappenKeepsTheWindowAndItsWork) {
    const UnsavedCloseCase cases[] = {
        {"yes, then cancel the file and the different-name question", false, "Typed",
         [](ScriptedPrompt& p, const QString&) {
             p.answer(MsgBoxResult::Yes);
             p.cancel();
             p.answer(MsgBoxResult::Cancel);
         }},
        {"yes, then cancel the file twice", false, "Typed",
         [](ScriptedPrompt& p, const QString&) {
             p.answer(MsgBoxResult::Yes);
             p.cancel();
             p.answer(MsgBoxResult::Ok);
             p.cancel();
             p.answer(MsgBoxResult::Cancel);
         }},
        {"yes, then an empty name and no", false, "Typed",
         [](ScriptedPrompt& p, const QString&) {
             p.answer(MsgBoxResult::Yes);
             p.answerText("");
             p.answer(MsgBoxResult::No);
         }},
        {"yes, a file, then cancel at the code-page warning", false, "Roof \xE2\x86\x92 walls",
         [](ScriptedPrompt& p, const QString& file) {
             p.answer(MsgBoxResult::Yes);
             p.answerText(file);
             p.answer(MsgBoxResult::Cancel);
         }},
        {"locked: yes, then cancel the file", true, "Typed",
         [](ScriptedPrompt& p, const QString&) {
             p.answer(MsgBoxResult::Yes);
             p.cancel();
             p.answer(MsgBoxResult::Cancel);
         }},
    };
    for (const UnsavedCloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path("unsaved.vrn");
        QFile::remove(file);
        if (c.locked) {
            open(writeMatrix("locked.vrn", [](VRN_Matrix& m) { m.locked = true; }));
        } else {
            item("mnuFileNew").trigger();
        }
        frmMatrix& window = activeWindow();
        const QString caption = window.Caption();
        const QStringList before = windowCaptions();
        window.base()->title = c.title;
        const std::size_t asked = prompt_.questions().size();
        c.answers(prompt_, file);
        item("mnuFileClose").trigger();
        QApplication::processEvents();

        EXPECT_EQ(prompt_.pendingAnswers(), 0U);
        EXPECT_EQ(windowCaptions(), before);
        EXPECT_EQ(&activeWindow(), &window);
        EXPECT_EQ(document().title, c.title);
        EXPECT_FALSE(QFile::exists(file));
        // The first question names the window it is about.
        ASSERT_GT(prompt_.questions().size(), asked);
        EXPECT_TRUE(prompt_.questions()[asked].text.startsWith(caption + "\n\n"));
        if (c.locked) {
            prompt_.answer(MsgBoxResult::No);  // a locked matrix asks once
        } else {
            closeWithoutSaving();
        }
        item("mnuFileClose").trigger();
        QApplication::processEvents();
        EXPECT_EQ(prompt_.pendingAnswers(), 0U);
    }
}

TEST_F(FileCommandsTest, CharactersTheFileCannotHoldAreCountedOnceAndCancelSavesNothing) {
    const QString file = writeMatrix("plan.vrn", [](VRN_Matrix& m) {
        m.title = "Caf\xC3\xA9 \xE2\x82\xAC";  // all in the code page: no warning
    });
    open(file);
    attributionOk();
    item("mnuFileSave").trigger();
    EXPECT_EQ(fileBytes(file), writerBytes(document()));
    const std::size_t asked = prompt_.questions().size();

    document().title = "Roof \xE2\x86\x92 walls \xE2\x86\x92 doors";
    document().Existing()->PGroups.Item(1)->PracticeParts.Item(1)->setDescription(
        "\xF0\x9F\x98\x80");
    const QByteArray before = fileBytes(file);
    attributionOk();
    prompt_.answer(MsgBoxResult::Cancel);
    item("mnuFileSave").trigger();
    ASSERT_EQ(prompt_.questions().size(), asked + 1);
    const ScriptedPrompt::Question& warning = lastQuestion();
    EXPECT_TRUE(
        warning.text.startsWith("3 characters of this matrix are not in the character set "
                                "of matrix files (Windows-1252) and will be saved as "
                                "\"?\"."))
        << warning.text.toStdString();
    EXPECT_EQ(warning.style.buttons, MsgBoxButtons::OkCancel);
    EXPECT_EQ(fileBytes(file), before);

    attributionOk();
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuFileSave").trigger();
    EXPECT_EQ(prompt_.questions().size(), asked + 2);
    EXPECT_TRUE(fileBytes(file).contains("\"Roof ? walls ? doors\""));
}

TEST_F(FileCommandsTest, OpeningAFileThatIsOpenBringsItsWindowToTheFront) {
    const QString file = writeMatrix("plan.vrn");
    open(file);
    frmMatrix& first = activeWindow();
    first.base()->title = "Unsaved in the first window";
    item("mnuFileNew").trigger();
    ASSERT_NE(&activeWindow(), &first);
    QFile::link(file, path("link.vrn"));
    for (const QString& name : {file, folder_.path() + "/./plan.vrn", path("link.vrn")}) {
        SCOPED_TRACE(name.toStdString());
        main_.mdiArea().activatePreviousSubWindow();
        open(name);
        EXPECT_EQ(main_.mdiArea().subWindowList().size(), 3);
        EXPECT_EQ(&activeWindow(), &first);
        EXPECT_EQ(first.base()->title, "Unsaved in the first window");
    }

    // Nor does Save As of another window take that file over.
    item("mnuFileNew").trigger();
    attributionOk();
    prompt_.answerText(path("link.vrn"));
    prompt_.answer(MsgBoxResult::Ok);
    prompt_.cancel();
    prompt_.answer(MsgBoxResult::Cancel);
    item("mnuFileSaveAs").trigger();
    EXPECT_EQ(prompt_.questions().at(prompt_.questions().size() - 3).text,
              "The file '" + path("link.vrn") +
                  "' is open in another window.  Choose another file name, or close that window "
                  "first.");
    EXPECT_FALSE(activeWindow().hasFilePath);
}

TEST_F(FileCommandsTest, CtrlSOnALockedMatrixDoesWhatTheToolbarsSaveDoes) {
    const QString file = writeMatrix("locked.vrn", [](VRN_Matrix& m) { m.locked = true; });
    open(file);
    ASSERT_FALSE(item("mnuFileSave").isEnabled());
    for (const char* way : {"toolbar", "key"}) {
        SCOPED_TRACE(way);
        const std::size_t asked = prompt_.questions().size();
        attributionOk();
        prompt_.cancel();
        if (std::string(way) == "toolbar") {
            main_.tbToolBar_ButtonClick("Save");
        } else {
            pressCtrlS();
        }
        QApplication::processEvents();
        ASSERT_EQ(prompt_.questions().size(), asked + 1);
        EXPECT_EQ(lastQuestion().kind, Kind::SaveFile);
        EXPECT_EQ(lastQuestion().file.fileName, path("new filename"));
    }

    // On an unlocked matrix the key saves once, through the menu item.
    item("mnuFileNew").trigger();
    const QString saved = path("saved.vrn");
    attributionOk();
    prompt_.answerText(saved);
    pressCtrlS();
    QApplication::processEvents();
    EXPECT_EQ(fileBytes(saved), writerBytes(document()));
    EXPECT_EQ(dialogs_.seen().count("frmAttribution"), 3);
}

TEST_F(FileCommandsTest, ClosingASavedOrLockedDocumentSavesToTheRightPlace) {
    const QString file = writeMatrix("plan.vrn");
    open(file);
    document().title = "Changed";
    prompt_.answer(MsgBoxResult::Yes);
    item("mnuFileClose").trigger();
    EXPECT_TRUE(fileBytes(file).contains("Changed"));

    const QString locked = writeMatrix("locked.vrn", [](VRN_Matrix& m) { m.locked = true; });
    open(locked);
    prompt_.answer(MsgBoxResult::No);
    item("mnuFileClose").trigger();
    QApplication::processEvents();
    EXPECT_EQ(
        lastQuestion().text,
        about(locked, "Do you want to save this locked matrix to another file before closing ?"));
    EXPECT_EQ(windowCaptions(), QStringList{"Document 1"});
}

TEST_F(FileCommandsTest, AWindowWhoseSaveFailsStaysOpen) {
    QDir(folder_.path()).mkdir("gone");
    const QString file = writeMatrix("gone/plan.vrn");
    open(file);
    QDir(path("gone")).removeRecursively();
    prompt_.answer(MsgBoxResult::Yes);
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuFileClose").trigger();
    QApplication::processEvents();
    EXPECT_EQ(lastQuestion().title, "Can't perform save");
    EXPECT_EQ(windowCaptions(), QStringList({"Document 1", file}));
    EXPECT_EQ(program_.Current_Matrix, activeWindow().base());

    // Exit stops at the window that cannot be saved, no window closes, and the program goes on.
    closeWithoutSaving();
    prompt_.answer(MsgBoxResult::Yes);
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuFileExit").trigger();
    QApplication::processEvents();
    EXPECT_EQ(windowCaptions(), QStringList({"Document 1", file}));
    EXPECT_TRUE(main_.isVisible());
}

TEST_F(FileCommandsTest, WithoutAMatrixWindowTheCommandsDoNothing) {
    closeWithoutSaving();
    main_.mdiArea().closeAllSubWindows();
    ASSERT_TRUE(windowCaptions().isEmpty());
    const std::size_t asked = prompt_.questions().size();
    for (const char* command :
         {"mnuFileSave", "mnuFileSaveAs", "mnuAltImport", "mnuFileClose", "mnuHelpDirections"}) {
        item(command).trigger();
    }
    EXPECT_EQ(prompt_.questions().size(), asked);
    EXPECT_EQ(program_.Current_Matrix, nullptr);
    EXPECT_TRUE(windowCaptions().isEmpty());
}

TEST_F(FileCommandsTest, ImportAlternativesAddsAFilesAlternativesOrNothing) {
    const QString file = writeMatrix("alternatives.vrn");
    prompt_.answerText(file);
    item("mnuAltImport").trigger();
    // The file box says what it is for.
    EXPECT_EQ(lastQuestion().text, "Import Alternatives from a Matrix File");
    EXPECT_EQ(lastQuestion().file.filter, "*.vrn|*.vrn|All Files (*.*)|*.*");
    EXPECT_EQ(document().Alt_count, 3);
    EXPECT_EQ(main_.mnuAlt().size(), 3U);
    EXPECT_EQ(activeWindow().canvasCounts(), shownByDocument(document()));

    QFile(file).resize(fileBytes(file).size() / 2);
    prompt_.answerText(file);
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuAltImport").trigger();
    EXPECT_EQ(document().Alt_count, 3);
    EXPECT_EQ(lastQuestion().style.icon, MsgBoxIcon::Critical);

    prompt_.cancel();
    item("mnuAltImport").trigger();
    EXPECT_EQ(document().Alt_count, 3);
}

TEST_F(FileCommandsTest, DirectionsPrintOnThePrinterAndPagesThatPageSetupChose) {
    const QString pdf = path("directions.pdf");
    const PrinterChoice chosen{
        .outputFile = pdf,
        .pageLayout = QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF())};
    prompt_.answerPageSetup(chosen);
    item("mnuFilePageSetup").trigger();
    EXPECT_EQ(lastQuestion().kind, Kind::PageSetup);
    EXPECT_EQ(program_.Printer_Choice, chosen);
    // Cancel keeps the choice.
    prompt_.cancel();
    item("mnuFilePageSetup").trigger();
    EXPECT_EQ(program_.Printer_Choice, chosen);

    // The directions print with no print dialog of their own.
    document().Directions = "Read the roof at the start";
    dialogs_.then("FrmDirectionsDetails", [](QDialog& dialog) {
        dialog.findChild<QPushButton*>("btnPrint")->click();
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    const std::size_t asked = prompt_.questions().size();
    item("mnuHelpDirections").trigger();
    EXPECT_EQ(prompt_.questions().size(), asked);
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(fileBytes(pdf).startsWith("%PDF"));
    if (!pdfToolsAvailable()) {
        GTEST_SKIP() << "pdftotext and pdfinfo are not installed: the printed page is not read";
    }
    EXPECT_TRUE(runTool("pdftotext", {pdf, "-"}).contains("Read the roof at the start"));
    // A5 across: 595 by 420 points.
    EXPECT_TRUE(runTool("pdfinfo", {pdf})
                    .contains(QRegularExpression("Page size: +595[.0-9]* x 4(19|20)")));
}

TEST_F(FileCommandsTest, AFileNamedOnTheCommandLineOpensInTheFirstWindow) {
    const QString file = writeMatrix("started.vrn");
    VrnMain program;
    program.Standalone = true;
    program.Command_Line = QLatin1Char('"') + file + QLatin1Char('"');
    program.Command_Line_Given = true;
    frmMain main(program, {settings_, prompt_, starter_});
    program.Main_Window = &main;
    main.Show();
    QApplication::processEvents();
    ASSERT_NE(main.activeMatrixWindow(), nullptr);
    EXPECT_EQ(main.activeMatrixWindow()->Caption(), file);
    EXPECT_EQ(main.activeMatrixWindow()->base()->title, "Plan");
    EXPECT_EQ(main.mdiArea().subWindowList().size(), 1);
}

}  // namespace
}  // namespace vrn::testing
