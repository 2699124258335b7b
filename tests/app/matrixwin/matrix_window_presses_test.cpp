#include "app/common/preference_keys.h"
#include "app/matrixwin/document_files.h"
#include "app/matrixwin/note_box.h"
#include "app/matrixwin/scene_cell.h"
#include "app/matrixwin/scene_interaction_label.h"
#include "app/matrixwin/window_units.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/modal_script.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace vrn::testing {
namespace {

// Presses, drags and hovers with the mouse on the canvas of a new document's window: one group
// of three practices in the existing state and in the alternative.
class MatrixPressesTest : public MainWindowFixture {
protected:
    MatrixPressesTest() {
        load();
        window().pressClock = [this] { return now_; };
        // Importance boxes show.
        item("mnuViewImportance").setChecked(true);
        window().Redraw();
    }

    frmMatrix& window() { return activeWindow(); }
    VRN_Matrix& document() { return *window().base(); }
    VRN_State& existing() { return *document().Existing(); }
    std::shared_ptr<VRN_Practice> practice(int index) { return existing().Practices.Item(index); }

    // The middle of a drawn control on the canvas.
    QPoint centre(const std::shared_ptr<CellControl>& cell) {
        const auto* scene = dynamic_cast<const ScenePaintable*>(cell.get());
        if (scene == nullptr || !scene->paintShown()) {
            throw std::logic_error("the cell is not drawn");
        }
        return scene->paintRect().center().toPoint();
    }
    QPoint centre(const std::shared_ptr<InteractionLabel>& label) {
        const auto* scene = dynamic_cast<const ScenePaintable*>(label.get());
        if (scene == nullptr || !scene->paintShown()) {
            throw std::logic_error("the interaction cell is not drawn");
        }
        return scene->paintRect().center().toPoint();
    }
    QPoint centre(const ScenePaintable& control) { return control.paintRect().center().toPoint(); }

    void press(const QPoint& at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&window().canvas(), button, Qt::NoModifier, at);
    }
    // The pointer moves over the canvas with `buttons` held.
    void hover(const QPoint& at, Qt::MouseButtons buttons = Qt::NoButton) {
        MatrixCanvas& canvas = window().canvas();
        QMouseEvent move(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(&canvas, &move);
    }
    void drag(const QPoint& from, const QPoint& to) {
        QTest::mousePress(&window().canvas(), Qt::LeftButton, Qt::NoModifier, from);
        hover(to, Qt::LeftButton);
        QTest::mouseRelease(&window().canvas(), Qt::LeftButton, Qt::NoModifier, to);
    }
    // Whether the popup `name` is open; closes it.
    bool popupOpen(const char* name) {
        QMenu* popup = main_.menu(QLatin1String(name));
        const bool open = popup->isVisible();
        popup->hide();
        return open;
    }

    double now_ = 100;
};

TEST_F(MatrixPressesTest, TheSameCellPressedAgainWithinHalfASecondIsADoublePress) {
    struct Case {
        int secondCell;  // the practice pressed second
        double after;    // seconds after the first press
        bool doublePress;
    };
    const Case cases[] = {
        {1, 0.1, true}, {1, 0.49, true}, {1, 0.5, false}, {1, 2.0, false}, {2, 0.1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.secondCell) + " after " + std::to_string(c.after));
        now_ += 10;
        press(centre(practice(1)->Display));
        program_.Drag_Source_Kind = 0;
        now_ += c.after;
        press(centre(practice(c.secondCell)->Display));
        EXPECT_EQ(window().timer_load_Practice_details.isActive(), c.doublePress);
        // A press that is no double press starts a drag of its practice.
        EXPECT_EQ(program_.Drag_Source_Kind, c.doublePress ? 0 : 13);
        if (!c.doublePress) {
            EXPECT_EQ(main_.Dragging_P, practice(c.secondCell));
        }
        window().timer_load_Practice_details.stop();
    }
    // On the importance box the importance menu opens, on a group band the rename box.
    now_ += 10;
    press(centre(practice(1)->Importance));
    now_ += 0.2;
    press(centre(practice(1)->Importance));
    EXPECT_TRUE(popupOpen("mnuImportance"));
    const auto group = existing().PGroups.Item(1);
    now_ += 10;
    press(centre(group->Display));
    now_ += 0.2;
    prompt_.answerText("Renamed group");
    press(centre(group->Display));
    EXPECT_EQ(group->Name(), "Renamed group");
    EXPECT_EQ(prompt_.questions().back().title, "New Practice Group Name");
}

TEST_F(MatrixPressesTest, AnArmedFrameToolTakesAPressOnACell) {
    window().Frametool_Enabled = true;
    press(centre(practice(1)->Display));
    // The press starts the band instead of a drag of the practice.
    EXPECT_TRUE(window().Frametool_Active);
    EXPECT_EQ(program_.Drag_Source_Kind, 0);
    window().Frametool_Active = false;
    window().Frametool_Enabled = false;
}

TEST_F(MatrixPressesTest, ADropCopiesIntoTheTargetsGroupAndNeverOntoItselfOrABlank) {
    const auto first = existing().PGroups.Item(1);
    const auto second = first->AddNewPracticeGroup("Second");
    const auto blank = second->AddBlankPracticeGroup();
    window().Redraw();
    const auto dragged = practice(1);
    struct Case {
        const char* target;
        std::shared_ptr<CellControl> cell;
        int firstCount;
        int secondCount;
    };
    const Case cases[] = {
        {"itself", dragged->Display, 3, 1},
        {"its own importance box", dragged->Importance, 3, 1},
        {"a blank row", blank->Display, 3, 1},
        {"another group's practice", second->PracticeParts.Item(1)->Display, 3, 2},
        {"another group's band", second->Display, 3, 3},
        {"its own group's band", first->Display, 4, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        now_ += 10;
        drag(centre(dragged->Display), centre(c.cell));
        EXPECT_EQ(first->PracticeParts.Count(), c.firstCount);
        EXPECT_EQ(second->PracticeParts.Count(), c.secondCount);
        // A drop copies: the dragged practice stays where it was.
        EXPECT_EQ(dragged->group(), first);
    }
    EXPECT_EQ(second->PracticeParts.Item(2)->Name(), dragged->Name());
    EXPECT_EQ(window().canvasCounts(), shownByDocument(document()));
}

TEST_F(MatrixPressesTest, ADropOnAnotherWindowCopiesThereAndLeavesTheSourceAlone) {
    frmMatrix& source = window();
    VRN_State& sourceState = existing();
    const auto sourceGroup = sourceState.PGroups.Item(1);
    sourceGroup->setName("From the first window");
    const auto dragged = practice(1);
    dragged->setName("Dragged practice");
    source.Redraw();
    item("mnuFileNew").trigger();
    frmMatrix& target = window();
    ASSERT_NE(&target, &source);
    item("mnuWindowTileVertical").trigger();
    QApplication::processEvents();
    VRN_State& targetState = *target.base()->Existing();
    const auto targetGroup = targetState.PGroups.Item(1);
    const auto blank = targetGroup->AddBlankPracticeGroup();
    target.Redraw();

    // Pressed on the first window, let go over a cell of the second.
    const auto dragTo = [&](const std::shared_ptr<CellControl>& from,
                            const std::shared_ptr<CellControl>& to) {
        MatrixCanvas& canvas = source.canvas();
        const QPoint over = canvas.mapFromGlobal(target.canvas().mapToGlobal(centre(to)));
        now_ += 10;
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, centre(from));
        QMouseEvent move(QEvent::MouseMove, over, canvas.mapToGlobal(over), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &move);
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, over);
    };
    dragTo(dragged->Display, targetGroup->PracticeParts.Item(2)->Display);
    ASSERT_EQ(targetGroup->PracticeParts.Count(), 4);
    const auto copy = targetGroup->PracticeParts.Item(4);
    EXPECT_EQ(copy->Name(), "Dragged practice");
    EXPECT_EQ(copy->InForm, &target);
    // The copy meets every practice of its new state.
    const int practices = targetState.Practices.Count();
    EXPECT_EQ(targetState.Interactions.Count(), practices * (practices - 1) / 2);

    dragTo(sourceGroup->Display, targetGroup->Display);
    ASSERT_EQ(targetState.PGroups.Count(), 3);
    EXPECT_EQ(targetState.PGroups.Item(2)->Name(), "From the first window");
    EXPECT_EQ(targetState.PGroups.Item(2)->PracticeParts.Count(), 3);
    // A blank row takes nothing, as in one window.
    dragTo(sourceGroup->PracticeParts.Item(2)->Display, blank->Display);
    EXPECT_EQ(targetState.Practices.Count(), 4 + 3 + 1);

    EXPECT_EQ(target.canvasCounts(), shownByDocument(*target.base()));
    // The source is as it was.
    EXPECT_EQ(sourceState.PGroups.Count(), 1);
    EXPECT_EQ(sourceGroup->PracticeParts.Count(), 3);
    EXPECT_EQ(dragged->group(), sourceGroup);
    EXPECT_EQ(source.canvasCounts(), shownByDocument(*source.base()));
}

TEST_F(MatrixPressesTest, TheGroupPopupEnablesFollowTheGroupsShownAndTheCopyBuffer) {
    const auto only = existing().PGroups.Item(1);
    press(centre(only->Display), Qt::RightButton);
    EXPECT_TRUE(popupOpen("MnuPracticeGroup"));
    EXPECT_FALSE(item("mnuPracticeGroupDelete").isEnabled());
    EXPECT_FALSE(item("mnuPracticeGroupCycle").isEnabled());
    EXPECT_FALSE(item("MnuPracticeGroupPaste").isEnabled());
    EXPECT_EQ(program_.Current_Item, SelectedItem(only));

    // Three groups of which one is shown.
    only->AddNewPracticeGroup("Second")->AddNewPracticeGroup("Third");
    existing().PGroups.Item(2)->DisplayPG = false;
    existing().PGroups.Item(3)->DisplayPG = false;
    existing().hidePGcount = 2;
    item("MnuPracticeGroupCopy").trigger();
    window().Redraw();
    press(centre(only->Display), Qt::RightButton);
    EXPECT_TRUE(popupOpen("MnuPracticeGroup"));
    EXPECT_TRUE(item("mnuPracticeGroupCycle").isEnabled());
    EXPECT_FALSE(item("mnuPracticeGroupHide").isEnabled());
    EXPECT_TRUE(item("mnuPracticeGroupReveal").isEnabled());
    EXPECT_TRUE(item("mnuPracticeGroupDelete").isEnabled());
    EXPECT_FALSE(item("mnuPracticeGroupDetails").isEnabled());
    EXPECT_TRUE(item("MnuPracticeGroupPaste").isEnabled());

    // The practice popup: Delete only while the group keeps a practice.
    press(centre(practice(1)->Display), Qt::RightButton);
    EXPECT_TRUE(popupOpen("MnuPractice"));
    EXPECT_TRUE(item("mnuPracticeDelete").isEnabled());
}

TEST_F(MatrixPressesTest, ShowGroupsInCycleModeStepsToTheNextGroupAndWraps) {
    existing().PGroups.Item(1)->AddNewPracticeGroup("Second")->AddNewPracticeGroup("Third");
    const auto shown = [this] {
        std::vector<int> groups;
        for (int i = 1; i <= existing().PGroups.Count(); ++i) {
            if (existing().PGroups.Item(i)->DisplayPG) {
                groups.push_back(i);
            }
        }
        return groups;
    };
    window().cycle_mode = true;
    for (int i = 1; i <= 3; ++i) {
        existing().PGroups.Item(i)->DisplayPG = i == 3;
    }
    window().Redraw();
    // The show-groups button by the existing state's groups.
    auto& button = dynamic_cast<ScenePaintable&>(window().btnSHowPGs());
    ASSERT_TRUE(button.paintShown());
    press(centre(button));
    EXPECT_EQ(shown(), std::vector<int>{1});
    window().btnSHowPGs_Click();
    EXPECT_EQ(shown(), std::vector<int>{2});
    window().cycle_mode = false;
    existing().hidePGcount = 2;
    window().btnSHowPGs_Click();
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(existing().hidePGcount, 0);
    EXPECT_TRUE(item("mnuViewPracticeGroups").isChecked());
}

TEST_F(MatrixPressesTest, HoveringNamesThePracticeOrTheInteractionsPractices) {
    hover(centre(practice(2)->Display));
    EXPECT_EQ(main_.statusText(), "Practice: 'Existing Practice 2' False");
    hover(centre(existing().PGroups.Item(1)->Display));
    EXPECT_EQ(main_.statusText(), "Practice Group: 'Existing Practices Group'");

    const auto interaction = document().Interactions.Item(1);
    interaction->setValue("+");
    hover(centre(interaction->Display));
    EXPECT_EQ(main_.statusText(),
              QStringLiteral("Interaction between '%1' and '%2'. Value: '+'")
                  .arg(QString::fromStdString(interaction->practice2.lock()->Name()),
                       QString::fromStdString(interaction->Practice1.lock()->Name())));
    EXPECT_EQ(interaction->Practice1.lock()->Display->BackColor(), program_.prefs.HighlightColor);
    EXPECT_EQ(window().hoveredInteraction(), interaction);
}

TEST_F(MatrixPressesTest, APracticeNoteOfThreeCharactersShowsItsNoteBox) {
    for (const auto& [description, shown] :
         {std::pair{"ab", false}, std::pair{"abc", true}, std::pair{"", false}}) {
        SCOPED_TRACE(description);
        window().Clear_Selection(false, 0);
        practice(2)->setDescription(description);
        now_ += 10;
        press(centre(practice(2)->Display));
        EXPECT_EQ(window().FrameNoteBox().isVisible(), shown);
    }
    EXPECT_EQ(window().FrameNoteBox().Tag, QString::number(window().Last_Pressed_Index + 1000));
}

TEST_F(MatrixPressesTest, ARightPressOnABlankRowRemovesItButNeverTheLastGroup) {
    const auto blank = existing().PGroups.Item(1)->AddBlankPracticeGroup();
    window().Redraw();
    prompt_.answer(MsgBoxResult::No);
    press(centre(blank->Display), Qt::RightButton);
    EXPECT_EQ(existing().PGroups.Count(), 2);
    prompt_.answer(MsgBoxResult::Yes);
    press(centre(blank->Display), Qt::RightButton);
    EXPECT_EQ(existing().PGroups.Count(), 1);

    // A state whose only group is blank keeps it.
    const auto only = existing().PGroups.Item(1);
    only->is_blank = true;
    prompt_.answer(MsgBoxResult::Yes);
    prompt_.answer(MsgBoxResult::Ok);
    press(centre(only->Display), Qt::RightButton);
    EXPECT_EQ(existing().PGroups.Count(), 1);
    EXPECT_EQ(prompt_.questions().back().title, "Can't Remove Last Practice");
}

TEST_F(MatrixPressesTest, ARightPressOnAnInteractionOpensItsMenu) {
    const auto interaction = document().Interactions.Item(1);
    press(centre(interaction->Display), Qt::RightButton);
    EXPECT_TRUE(popupOpen("mnuInteraction"));
    EXPECT_EQ(program_.Current_Interaction, interaction);
    item("mnuInteractionMinus").trigger();
    EXPECT_EQ(interaction->Value(), "-");

    // Its note box opens on a click when the description is long enough.
    interaction->setDescription("A long enough note");
    press(centre(interaction->Display));
    EXPECT_TRUE(window().FrameNoteBox().isVisible());
}

}  // namespace
}  // namespace vrn::testing

namespace vrn::testing {
namespace {

TEST_F(MatrixPressesTest, AFieldEditedThenLeftWritesOnceAndOneLeftUneditedWritesNothing) {
    item("mnuViewAttribution").setChecked(true);
    window().Redraw();
    auto& authors = dynamic_cast<ScenePaintable&>(window().txtAuthors());
    ASSERT_TRUE(authors.paintShown());
    QLineEdit& editor = window().fieldEditor();

    // Typed, then a press on a cell: written once.
    press(centre(authors));
    ASSERT_TRUE(editor.isVisible());
    editor.selectAll();
    QTest::keyClicks(&editor, "Ann and Bob");
    press(centre(practice(1)->Display));
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(document().Authors, "Ann and Bob");
    EXPECT_EQ(window().txtAuthors().text(), "Ann and Bob");

    // Entered and left again without typing: the document keeps what it has since.
    document().Authors = "Changed elsewhere";
    press(centre(authors));
    press(centre(practice(1)->Display));
    EXPECT_EQ(document().Authors, "Changed elsewhere");
}

TEST_F(MatrixPressesTest, LineBreaksTypedIntoTheDescriptionAreSavedAsTheFilesLinesEnd) {
    auto& description = dynamic_cast<ScenePaintable&>(window().txtDescription());
    ASSERT_TRUE(description.paintShown());
    QPlainTextEdit& editor = window().descriptionEditor();
    press(centre(description));
    ASSERT_TRUE(editor.isVisible());
    editor.selectAll();
    QTest::keyClicks(&editor, "Where we go");
    // Enter breaks the line; leaving the box keeps the text.
    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClicks(&editor, "and why");
    EXPECT_TRUE(editor.isVisible());
    press(centre(practice(1)->Display));
    EXPECT_FALSE(editor.isVisible());
    const std::string typed = "Where we go\r\nand why";
    EXPECT_EQ(document().alternative()->Description, typed);
    EXPECT_EQ(window().txtDescription().text(), typed);

    // In the file the break is CR LF, as every record ends.
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("description.vrn"));
    saveDocument(document(), file, false);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    saved.close();
    EXPECT_TRUE(bytes.contains("\"Where we go\r\nand why\"\r\n"));
    EXPECT_FALSE(bytes.contains("Where we go\nand why"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));

    prompt_.answerText(file);
    item("mnuFileOpen").trigger();
    ASSERT_EQ(activeWindow().filename, file);
    EXPECT_EQ(document().alternative()->Description, typed);
    press(centre(dynamic_cast<ScenePaintable&>(window().txtDescription())));
    EXPECT_EQ(window().descriptionEditor().toPlainText(), "Where we go\nand why");
}

TEST_F(MatrixPressesTest, AnEditedDescriptionKeepsTheLineBreaksAndCharactersItCameWith) {
    // A text that came with bare LF keeps them, in a line added too.
    document().alternative()->Description = "From\nelsewhere";
    window().Redraw();
    press(centre(dynamic_cast<ScenePaintable&>(window().txtDescription())));
    window().descriptionEditor().moveCursor(QTextCursor::End);
    QTest::keyClick(&window().descriptionEditor(), Qt::Key_Return);
    QTest::keyClicks(&window().descriptionEditor(), "too");
    press(centre(practice(1)->Display));
    EXPECT_EQ(document().alternative()->Description, "From\nelsewhere\ntoo");

    const std::string written = "Kept\r\nas\u00A0written";
    document().alternative()->Description = written;
    window().Redraw();
    auto& description = dynamic_cast<ScenePaintable&>(window().txtDescription());
    QPlainTextEdit& editor = window().descriptionEditor();
    // Opened and left without typing: nothing is written.
    press(centre(description));
    document().alternative()->Description = written + " ";
    press(centre(practice(1)->Display));
    EXPECT_EQ(document().alternative()->Description, written + " ");

    document().alternative()->Description = written;
    press(centre(description));
    editor.moveCursor(QTextCursor::End);
    QTest::keyClicks(&editor, "!");
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(document().alternative()->Description, written + "!");
}

TEST_F(MatrixPressesTest, DoubleClickingTheDescriptionKeepsTheTextThenOpensItsDialog) {
    auto& description = dynamic_cast<ScenePaintable&>(window().txtDescription());
    press(centre(description));
    QTest::keyClicks(&window().descriptionEditor(), "Typed first");
    const auto alternative = document().alternative();
    ModalScript dialogs;
    dialogs.then("FrmDirectionsDetails", [&alternative](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(),
                  "Description of: " + QString::fromStdString(alternative->Name));
        auto* text = dialog.findChild<QPlainTextEdit*>("txtDirections");
        EXPECT_EQ(text->toPlainText(), "Typed first");
        text->setPlainText("From the dialog");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    QTest::mouseDClick(&window().canvas(), Qt::LeftButton, Qt::NoModifier, centre(description));
    EXPECT_EQ(dialogs.seen(), QStringList{"FrmDirectionsDetails"});
    EXPECT_EQ(alternative->Description, "From the dialog");
    EXPECT_EQ(window().txtDescription().text(), "From the dialog");
}

TEST_F(MatrixPressesTest, DoubleClickingTheDocumentationOpensItsLink) {
    program_.prefs.Browser_Path = "/usr/bin/browser";
    item("mnuViewAttribution").setChecked(true);
    window().Redraw();
    auto& documentation = dynamic_cast<ScenePaintable&>(window().txtDocumentation());
    ASSERT_TRUE(documentation.paintShown());
    for (const char* text : {"ab", "https://example.org/plan"}) {
        SCOPED_TRACE(text);
        document().Distribution = text;
        window().Redraw();
        // The second press of a double click lands on the editor the first one opened.
        press(centre(documentation));
        QLineEdit& editor = window().fieldEditor();
        ASSERT_TRUE(editor.isVisible());
        QTest::mouseDClick(&editor, Qt::LeftButton, Qt::NoModifier, editor.rect().center());
    }
    ASSERT_EQ(starter_.starts().size(), 1U);
    EXPECT_EQ(starter_.starts()[0].program, "/usr/bin/browser");
    EXPECT_EQ(starter_.starts()[0].arguments, QStringList{"https://example.org/plan"});
}

TEST_F(MatrixPressesTest, TheLogoShowsItsPictureAndItsPressesAreTheWindows) {
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Logo_On_Form.bmp"));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    ASSERT_TRUE(picture.save(file));
    window().loadLogo(file);
    const ScenePicture& logo = window().logo();
    ASSERT_TRUE(logo.paintShown());
    EXPECT_NEAR(logo.paintRect().width(), 40, 1);
    EXPECT_NEAR(logo.paintRect().height(), 30, 1);
    EXPECT_TRUE(window().canvas().rect().contains(logo.paintRect().toRect()));

    // A click on it is a click on the window: the selection goes.
    press(centre(practice(1)->Display));
    ASSERT_EQ(program_.Current_Item, SelectedItem(practice(1)));
    press(centre(logo));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(program_.Current_Item));
    EXPECT_NEAR(window().lastPress().x(), windowTwips(centre(logo).x()), 15);
    // An armed frame tool starts its band there.
    window().Frametool_Enabled = true;
    press(centre(logo));
    EXPECT_TRUE(window().Frametool_Active);
    window().Frametool_Active = false;
    window().Frametool_Enabled = false;

    // Without its picture the logo shows nothing.
    window().loadLogo(folder.filePath(QStringLiteral("missing.bmp")));
    EXPECT_FALSE(logo.paintShown());
}

TEST_F(MatrixPressesTest, TheTitleFrameAsksForTheTitleOnceForAClickOrADoubleClick) {
    auto& frame = dynamic_cast<ScenePaintable&>(window().FrameDescription());
    ASSERT_TRUE(frame.paintShown());
    // On the caption, above the description box.
    const QPoint caption = frame.paintRect().topLeft().toPoint() + QPoint(20, 4);
    prompt_.answerText("Double title");
    QTest::mouseDClick(&window().canvas(), Qt::LeftButton, Qt::NoModifier, caption);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(prompt_.questions()[0].text, "What is the new title?");
    EXPECT_EQ(prompt_.questions()[0].title, "VRN Title");
    EXPECT_EQ(document().title, "Double title");
    EXPECT_EQ(window().FrameDescription().text(), "Double title");

    prompt_.answerText("Clicked title");
    press(caption);
    QTRY_COMPARE(prompt_.questions().size(), 2U);
    EXPECT_EQ(prompt_.questions()[1].text, "What is the new title for this Matrix?");
    EXPECT_EQ(prompt_.questions()[1].defaultText, "Double title");
    EXPECT_EQ(document().title, "Clicked title");
}

}  // namespace
}  // namespace vrn::testing

namespace vrn::testing {
namespace {

TEST_F(MatrixPressesTest, LockingAsksFirstAndThenSavesUnderANewNameForGood) {
    item("mnuViewAttribution").setChecked(true);
    window().Redraw();
    auto& lock = dynamic_cast<ScenePaintable&>(window().chkLock());
    ASSERT_TRUE(lock.paintShown());
    prompt_.answer(MsgBoxResult::Cancel);
    press(centre(lock));
    EXPECT_FALSE(document().locked);
    EXPECT_FALSE(window().chkLock().Value());

    const QString saved = QDir::temp().filePath(QStringLiteral("vrn-presses-locked.vrn"));
    QFile::remove(saved);
    prompt_.answer(MsgBoxResult::Ok);
    prompt_.answerText(saved);
    press(centre(lock));
    EXPECT_TRUE(document().locked);
    EXPECT_TRUE(window().chkLock().Value());
    EXPECT_FALSE(window().chkLock().Enabled());
    EXPECT_FALSE(item("mnuFileSave").isEnabled());
    EXPECT_TRUE(QFile::exists(saved));
    QFile::remove(saved);
    // No question any more.
    const std::size_t asked = prompt_.questions().size();
    press(centre(lock));
    EXPECT_EQ(prompt_.questions().size(), asked);
}

}  // namespace
}  // namespace vrn::testing
