#include "app/common/preference_keys.h"
#include "app/matrixwin/canvas_counts.h"
#include "app/matrixwin/detail_dialogs.h"
#include "app/matrixwin/note_box.h"
#include "app/matrixwin/scene_cell.h"
#include "app/matrixwin/scene_fixed_control.h"
#include "app/matrixwin/scene_paintable.h"
#include "app/matrixwin/scene_text.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/user_text.h"
#include "tests/app/matrixwin/shown_tool_tip.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/modal_script.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

namespace vrn::testing {
namespace {

// The matrix window inside the stand-alone program's main window.
class MatrixWindowTest : public MainWindowFixture {
protected:
    explicit MatrixWindowTest(int alternatives = 1) {
        settings_.setText(QLatin1String(prefkey::kVrnSettings),
                          QLatin1String(prefkey::kDefNumAlternatives),
                          QString::number(alternatives));
        load();
    }

    frmMatrix& window() { return activeWindow(); }
    VRN_Matrix& document() { return *window().base(); }
    std::shared_ptr<VRN_Practice> existingPractice(int index = 1) {
        return document().Existing()->Practices.Item(index);
    }
    std::shared_ptr<VRN_Practice> targetPractice(int index = 1) {
        return document().alternative()->Practices.Item(index);
    }
    std::shared_ptr<VRN_MatrixInteraction> crossInteraction() {
        return document().Interactions.Item(1);
    }
};

class MatrixWindowWithThreeAlternativesTest : public MatrixWindowTest {
protected:
    MatrixWindowWithThreeAlternativesTest() : MatrixWindowTest(3) {}
};

TEST_F(MatrixWindowTest, ANewWindowShowsWhatItsDocumentPlacedAndNothingElse) {
    EXPECT_EQ(document().top, 1);
    EXPECT_EQ(document().left, 1);
    const CanvasCounts drawn = window().canvasCounts();
    EXPECT_EQ(drawn, shownByDocument(document()));
    // The roof of the existing state, the target state's triangle and the crossings.
    EXPECT_GT(drawn.interactionCells, document().Interactions.Count());
    EXPECT_GT(drawn.cells, 0);
    EXPECT_GT(drawn.lines, 0);
    const auto* column = dynamic_cast<const SceneCell*>(targetPractice()->Display.get());
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->look().cellOrientation, CellLook::kTurned);
}

TEST_F(MatrixWindowTest, ScrollingMovesTheDrawingFiveHundredTwipsAStep) {
    const float rowTop = existingPractice()->Display->top();
    const float columnLeft = targetPractice()->Display->left();
    window().VScroll()->setValue(3);
    EXPECT_EQ(document().top, -1500);
    EXPECT_EQ(existingPractice()->Display->top(), rowTop - 1501);
    window().HScroll()->setValue(2);
    EXPECT_EQ(document().left, -1000);
    EXPECT_EQ(targetPractice()->Display->left(), columnLeft - 1001);
    EXPECT_EQ(window().canvasCounts(), shownByDocument(document()));
}

TEST_F(MatrixWindowTest, ARedrawWhileScrolledKeepsTheOffsetAndTheRanges) {
    const int range = window().VScroll()->maximum();
    ASSERT_GT(range, 3);
    window().VScroll()->setValue(3);
    const float rowTop = existingPractice()->Display->top();
    window().Redraw();
    EXPECT_EQ(document().top, -1500);
    EXPECT_EQ(existingPractice()->Display->top(), rowTop);
    EXPECT_EQ(window().VScroll()->maximum(), range);
    EXPECT_EQ(window().VScroll()->value(), 3);
}

TEST_F(MatrixWindowTest, TheFooterCoversNothingOfTheDrawingAtAnyScale) {
    document().footer = "Footer of the matrix";
    const auto& footer = dynamic_cast<const ScenePaintable&>(window().lblFooter());
    MatrixCanvas& canvas = window().canvas();
    const auto covered = [&] {
        QStringList names;
        for (const ScenePaintable* control : canvas.controlsIn(footer.paintRect())) {
            if (control != &footer) {
                names << QString::fromStdString(
                    dynamic_cast<const WindowControl*>(control) != nullptr
                        ? dynamic_cast<const WindowControl*>(control)->text()
                        : std::string("a line"));
            }
        }
        return names.join(", ").toStdString();
    };
    const QRectF foot(0, canvas.height() - footer.paintRect().height(), canvas.width(),
                      footer.paintRect().height());
    const auto footIsFree = [&] {
        const auto inFoot = canvas.controlsIn(foot);
        return std::all_of(inFoot.begin(), inFoot.end(),
                           [&](const ScenePaintable* control) { return control == &footer; });
    };
    const auto check = [&](const std::string& when) {
        SCOPED_TRACE(when);
        ASSERT_TRUE(window().lblFooter().Visible());
        EXPECT_EQ(covered(), "");
        // Where nothing of the drawing stands at the foot, the footer shows there.
        if (footIsFree()) {
            EXPECT_NEAR(footer.paintRect().bottom(), canvas.height(), 1);
        }
        // Scrolled to the end, the drawing still ends above the footer.
        window().VScroll()->setValue(window().VScroll()->maximum());
        EXPECT_EQ(covered(), "") << "scrolled";
        if (footIsFree()) {
            EXPECT_NEAR(footer.paintRect().bottom(), canvas.height(), 1) << "scrolled";
        }
        window().VScroll()->setValue(0);
    };
    // A drawing that ends higher up leaves the footer at the foot of the drawing area.
    item("mnuViewLegend").trigger();
    item("mnuViewScaledown").trigger();
    item("mnuViewScaledown").trigger();
    check("two steps down without the legends");
    EXPECT_NEAR(footer.paintRect().bottom(), canvas.height(), 1);
    item("mnuViewLegend").trigger();
    check("two steps down");
    for (int step = 1; step <= 10; ++step) {
        item("mnuViewScaleUp").trigger();
        check(std::to_string(step) + " steps up from there");
    }
}

TEST_F(MatrixWindowTest, AMinimisedWindowDoesNotScroll) {
    main_.activeChild()->showMinimized();
    window().VScroll()->setValue(2);
    window().HScroll()->setValue(2);
    EXPECT_EQ(document().top, 1);
    EXPECT_EQ(document().left, 1);
}

TEST_F(MatrixWindowWithThreeAlternativesTest, PageUpAndPageDownStepThroughTheAlternatives) {
    MatrixCanvas& canvas = window().canvas();
    QTest::keyClick(&canvas, Qt::Key_PageUp);
    EXPECT_EQ(document().Alt_i, 1);
    QTest::keyClick(&canvas, Qt::Key_PageDown);
    EXPECT_EQ(document().Alt_i, 2);
    EXPECT_EQ(window().btnTarget().text(), document().alternative(2)->Name);
    QTest::keyClick(&canvas, Qt::Key_PageDown);
    QTest::keyClick(&canvas, Qt::Key_PageDown);
    EXPECT_EQ(document().Alt_i, 3);
    QTest::keyClick(&canvas, Qt::Key_PageUp);
    EXPECT_EQ(document().Alt_i, 2);
    EXPECT_EQ(window().canvasCounts(), shownByDocument(document()));
}

TEST_F(MatrixWindowWithThreeAlternativesTest, PageDownSwitchesAlternativesWhereverTheFocusIs) {
    struct Case {
        const char* where;
        std::function<QWidget*()> focus;
    };
    const Case cases[] = {
        {"a cell",
         [this] {
             const auto* cell =
                 dynamic_cast<const ScenePaintable*>(existingPractice()->Display.get());
             QTest::mouseClick(&window().canvas(), Qt::LeftButton, {},
                               cell->paintRect().center().toPoint());
             return static_cast<QWidget*>(&window().canvas());
         }},
        {"the canvas", [this] { return static_cast<QWidget*>(&window().canvas()); }},
        {"a dragged scroll bar",
         [this] {
             QScrollBar& bar = *window().VScroll();
             const QPoint handle(bar.width() / 2, bar.width() + 3);
             QTest::mousePress(&bar, Qt::LeftButton, {}, handle);
             QTest::mouseMove(&bar, handle + QPoint(0, 10));
             QTest::mouseRelease(&bar, Qt::LeftButton, {}, handle + QPoint(0, 10));
             return static_cast<QWidget*>(&bar);
         }},
        {"the window", [this] { return static_cast<QWidget*>(&window()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        window().use_alternative(true, 1);
        QWidget* target = c.focus();
        const int scrolled = window().VScroll()->value();
        QTest::keyClick(target, Qt::Key_PageDown);
        EXPECT_EQ(document().Alt_i, 2);
        QTest::keyClick(target, Qt::Key_PageDown);
        EXPECT_EQ(document().Alt_i, 3);
        QTest::keyClick(target, Qt::Key_PageUp);
        EXPECT_EQ(document().Alt_i, 2);
        EXPECT_EQ(window().VScroll()->value(), scrolled) << "Page Down scrolled";
        window().VScroll()->setValue(0);
    }
}

TEST_F(MatrixWindowTest, ArrowsHomeEndAndBothWheelsScroll) {
    QScrollBar& down = *window().VScroll();
    QScrollBar& across = *window().HScroll();
    ASSERT_GT(down.maximum(), 2);
    ASSERT_GT(across.maximum(), 2);
    MatrixCanvas& canvas = window().canvas();
    QTest::keyClick(&canvas, Qt::Key_Down);
    QTest::keyClick(&canvas, Qt::Key_Right);
    QTest::keyClick(&canvas, Qt::Key_Right);
    EXPECT_EQ(down.value(), 1);
    EXPECT_EQ(across.value(), 2);
    QTest::keyClick(&canvas, Qt::Key_Left);
    QTest::keyClick(&down, Qt::Key_Down);
    EXPECT_EQ(down.value(), 2);
    EXPECT_EQ(across.value(), 1);
    QTest::keyClick(&canvas, Qt::Key_End);
    EXPECT_EQ(down.value(), down.maximum());
    QTest::keyClick(&canvas, Qt::Key_Home);
    EXPECT_EQ(down.value(), 0);
    EXPECT_EQ(across.value(), 0);
    EXPECT_EQ(document().top, 0);

    const auto wheel = [&canvas](QPoint angle, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(20, 20), canvas.mapToGlobal(QPointF(20, 20)), QPoint(), angle,
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &event);
    };
    wheel(QPoint(0, -120), Qt::NoModifier);
    EXPECT_EQ(down.value(), 1);
    wheel(QPoint(-240, 0), Qt::NoModifier);
    EXPECT_EQ(across.value(), 2);
    wheel(QPoint(0, 120), Qt::ShiftModifier);
    EXPECT_EQ(across.value(), 1);
    EXPECT_EQ(down.value(), 1);
    EXPECT_EQ(document().left, -500);
}

TEST_F(MatrixWindowWithThreeAlternativesTest, ActivationListsTheAlternativesInTheMenu) {
    window().use_alternative(true, 2);
    window().Form_Activate();
    const std::vector<QAction*>& items = main_.mnuAlt();
    ASSERT_EQ(items.size(), 3U);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->text(), QString::fromStdString(document().alternative(i + 1)->Name));
        EXPECT_EQ(items[i]->data().toString(), QString::number(i + 1));
        EXPECT_EQ(items[i]->isChecked(), i == 1) << i;
    }
    EXPECT_TRUE(item("mnuAltDel").isEnabled());
    items[2]->trigger();
    EXPECT_EQ(document().Alt_i, 3);
}

TEST_F(MatrixWindowTest, ActivationSetsTheMenusFromTheWindow) {
    EXPECT_EQ(main_.mnuAlt().size(), 1U);
    EXPECT_FALSE(item("mnuAltDel").isEnabled());
    EXPECT_TRUE(item("mnuFileSave").isEnabled());
    EXPECT_TRUE(item("mnuViewLegend").isChecked());
    EXPECT_FALSE(item("munFilePrintCaptured").isEnabled());

    document().locked = true;
    window().Frametool_Captured = true;
    window().frmMatrixInteraction().setVisible(false);
    window().Form_Activate();
    EXPECT_FALSE(item("mnuFileSave").isEnabled());
    EXPECT_FALSE(item("mnuViewLegend").isChecked());
    EXPECT_TRUE(item("munFilePrintCaptured").isEnabled());
    EXPECT_EQ(program_.Current_Matrix, window().base());
}

TEST_F(MatrixWindowTest, TheNoteBoxShowsANoteWhereItIsToldAndWritesItsEditBack) {
    const auto practice = existingPractice();
    NoteBox& box = window().FrameNoteBox();
    window().Display_NoteBox(practice, "", "Hire fast", "ab", 0xFF, 3000, 1500, 1004, 12, 2);
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.pos(), QPoint(100, 200));
    EXPECT_EQ(box.Tag, "1004");
    EXPECT_EQ(box.txtNoteBox().toPlainText(), "Hire fast");
    EXPECT_FALSE(box.btnDiscussion().isVisibleTo(&box));
    window().Display_NoteBox(practice, "", "Hire fast", "abc", 0xFF, 0, 0, 7, 12, 0);
    EXPECT_TRUE(box.btnDiscussion().isVisibleTo(&box));

    window().Display_NoteBox(practice, "Note", "Hire fast", "https://example.org/why", 0xFF, 0, 0,
                             7, 12, 0);
    EXPECT_TRUE(box.btnDiscussion().isVisibleTo(&box));
    EXPECT_EQ(box.discussionLink(), "https://example.org/why");
    EXPECT_EQ(box.title(), "Note");
    box.btnDiscussion().click();
    ASSERT_EQ(starter_.openedUrls().size(), 1U);
    EXPECT_EQ(starter_.openedUrls()[0], QUrl("https://example.org/why"));

    box.txtNoteBox().setFocus();
    box.txtNoteBox().setPlainText("Hire slowly");
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(&box.txtNoteBox(), &leave);
    EXPECT_EQ(practice->Description(), "Hire slowly");
    // Leaving it again without an edit writes nothing.
    practice->setDescription("Changed elsewhere");
    QApplication::sendEvent(&box.txtNoteBox(), &leave);
    EXPECT_EQ(practice->Description(), "Changed elsewhere");

    // A note keeps its own line ends and characters; a break typed into one without any is CR LF.
    const std::pair<std::string, std::string> edits[] = {
        {"Kept\nas\u00A0written", "Kept\nas\u00A0written\nmore"},
        {"Hire fast", "Hire fast\r\nmore"},
    };
    for (const auto& [note, edited] : edits) {
        window().Display_NoteBox(practice, "Note", QString::fromStdString(note), "", 0xFF, 0, 0, 7,
                                 12, 0);
        box.txtNoteBox().moveCursor(QTextCursor::End);
        QTest::keyClick(&box.txtNoteBox(), Qt::Key_Return);
        QTest::keyClicks(&box.txtNoteBox(), "more");
        QApplication::sendEvent(&box.txtNoteBox(), &leave);
        EXPECT_EQ(practice->Description(), edited);
    }
}

TEST_F(MatrixWindowTest, ClearingTheSelectionKeepsOnlyTheNoteBoxOfTheCellAsked) {
    const auto interaction = crossInteraction();
    NoteBox& box = window().FrameNoteBox();
    window().Display_NoteBox(interaction, "+", "Same customers", "", 0, 0, 0, 12, 10, 2);
    window().Clear_Selection(true, 12);
    EXPECT_TRUE(box.isVisible());
    window().Clear_Selection(true, 13);
    EXPECT_FALSE(box.isVisible());
    window().Display_NoteBox(interaction, "+", "Same customers", "", 0, 0, 0, 12, 10, 2);
    window().Clear_Selection(false, 12);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(MatrixWindowTest, DroppingTheNoteBoxMovesItAndArmsTheRelease) {
    window().Form_DragDrop("FrameNoteBox", 3000, 1500);
    EXPECT_EQ(window().FrameNoteBox().pos(), QPoint(200, 100));
    EXPECT_TRUE(window().Timer1.isEnabled());
    window().Form_DragDrop("btnGroup", 0, 0);
    EXPECT_EQ(window().FrameNoteBox().pos(), QPoint(200, 100));
}

TEST_F(MatrixWindowTest, APracticeSelectionHighlightsItAndSetsTheMenusAndFontButtons) {
    const auto practice = existingPractice();
    practice->color = 0x123456;
    practice->setFontbold(true);
    window().Show_Practice_Selection(practice);
    EXPECT_EQ(practice->Display->BackColor(), program_.prefs.HighlightColor);
    EXPECT_EQ(std::get<std::shared_ptr<VRN_Practice>>(program_.Current_Item), practice);
    EXPECT_TRUE(main_.toolbarButton("Bold")->isChecked());
    EXPECT_FALSE(main_.toolbarButton("Italic")->isChecked());
    EXPECT_TRUE(item("mnuActionAddPractice").isEnabled());
    EXPECT_TRUE(item("mnuActionDeletePractice").isEnabled());
    EXPECT_FALSE(item("mnuActionAddGroup").isEnabled());
    EXPECT_TRUE(item("mnuPracticeDetails").isVisible());
    EXPECT_FALSE(item("mnuPracticeOptions").isVisible());

    window().Clear_Selection(false, 0);
    EXPECT_EQ(practice->Display->BackColor(), 0x123456);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(program_.Current_Item));
    EXPECT_FALSE(main_.toolbarButton("Bold")->isChecked());
    EXPECT_FALSE(item("mnuActionAddPractice").isEnabled());
}

TEST_F(MatrixWindowTest, AGroupSelectionOffersTheGroupCommandsAndGivesBackThePracticeColour) {
    const auto group = document().Existing()->PGroups.Item(1);
    group->color = 0;
    window().Show_Practice_Selection(group);
    EXPECT_TRUE(item("mnuActionAddGroup").isEnabled());
    EXPECT_TRUE(item("mnuActionDeleteGroup").isEnabled());
    EXPECT_FALSE(item("mnuActionDeletePractice").isEnabled());
    window().Show_Practice_Selection(std::monostate{});
    EXPECT_EQ(group->Display->BackColor(), program_.prefs.PracticeColor);
    EXPECT_FALSE(item("mnuActionAddGroup").isEnabled());
}

TEST_F(MatrixWindowTest, RunDialogueIsOfferedAsSoonAsAPracticeOfTheGroupHasOptions) {
    const auto group = document().Existing()->PGroups.Item(1);
    const auto practice = group->PracticeParts.Item(1);
    window().Show_Practice_Selection(group);
    EXPECT_FALSE(item("mnuPracticeGroupDialogue").isEnabled());

    // The options editor gives the practice its first options; nothing is saved or read.
    ModalScript dialogs;
    dialogs.then("frmPracticeOptions", [](QDialog& dialog) { dialog.reject(); });
    ShowPracticeOptions({program_, prompt_, starter_}, *practice, &main_);
    ASSERT_NE(practice->OptionGroup, nullptr);
    window().Show_Practice_Selection(group);
    EXPECT_TRUE(item("mnuPracticeGroupDialogue").isEnabled());

    // Without options left there is nothing to ask, whatever the file said.
    group->Has_Options = true;
    practice->RemoveOptionGroup();
    window().Show_Practice_Selection(group);
    EXPECT_FALSE(item("mnuPracticeGroupDialogue").isEnabled());
}

TEST_F(MatrixWindowWithThreeAlternativesTest, TheAlternativesMenuChecksTheAlternativeShown) {
    const auto checkedItems = [this] {
        QList<int> checked;
        for (std::size_t i = 0; i < main_.mnuAlt().size(); ++i) {
            if (main_.mnuAlt()[i]->isChecked()) {
                checked << static_cast<int>(i);
            }
        }
        return checked;
    };
    EXPECT_EQ(checkedItems(), QList<int>{0});
    QTest::keyClick(&window().canvas(), Qt::Key_PageDown);
    EXPECT_EQ(document().Alt_i, 2);
    EXPECT_EQ(checkedItems(), QList<int>{1});
    window().btnDownAlt_Click();
    EXPECT_EQ(checkedItems(), QList<int>{2});
    window().btnUpAlt_Click();
    EXPECT_EQ(checkedItems(), QList<int>{1});

    // A renamed alternative is listed under its new name.
    prompt_.answerText("Lean plant");
    item("mnuAltRename").trigger();
    EXPECT_EQ(main_.mnuAlt()[1]->text(), "Lean plant");
    EXPECT_EQ(checkedItems(), QList<int>{1});
}

TEST_F(MatrixWindowTest, TheStatusBarFollowsARename) {
    const auto practice = existingPractice();
    const auto group = document().Existing()->PGroups.Item(1);
    const auto cellIndex = [this](const auto& element) {
        return window().groupCellIndex(dynamic_cast<const ScenePaintable*>(element->Display.get()));
    };
    window().btnGroup_MouseMove(cellIndex(practice));
    program_.Current_Item = practice;
    prompt_.answerText("Hiring");
    item("mnuPracticeRename").trigger();
    EXPECT_EQ(main_.statusText(), "Practice: 'Hiring' False");

    window().btnGroup_MouseMove(cellIndex(group));
    program_.Current_Item = group;
    prompt_.answerText("Sales");
    item("mnuPracticeGroupRename").trigger();
    EXPECT_EQ(main_.statusText(), "Practice Group: 'Sales'");

    const auto interaction = crossInteraction();
    window().lblInteract_MouseMove(window().interactionCellIndex(
        dynamic_cast<const ScenePaintable*>(interaction->Display.get())));
    const auto first = interaction->Practice1.lock();
    program_.Current_Item = first;
    prompt_.answerText("Renamed target");
    item("mnuPracticeRename").trigger();
    EXPECT_TRUE(main_.statusText().contains("'Renamed target'"))
        << main_.statusText().toStdString();

    // What another cell said since is left alone.
    main_.SetStatusText("Something else");
    prompt_.answerText("Again");
    item("mnuPracticeRename").trigger();
    EXPECT_EQ(main_.statusText(), "Something else");
}

TEST_F(MatrixWindowTest, MovingOffAHoveredInteractionGivesItsPracticesTheirColoursBack) {
    const auto interaction = crossInteraction();
    const auto first = interaction->Practice1.lock();
    const auto second = interaction->practice2.lock();
    first->color = 0x00AA00;
    second->color = 0;
    first->Display->setBackColor(program_.prefs.HighlightColor);
    second->Display->setBackColor(program_.prefs.HighlightColor);
    window().setHoveredInteraction(interaction);
    QTest::mouseMove(&window().canvas(), QPoint(5, 5));
    window().Form_MouseMove();
    EXPECT_TRUE(program_.Last_Hover_Cross);
    EXPECT_EQ(first->Display->BackColor(), 0x00AA00);
    EXPECT_EQ(second->Display->BackColor(), program_.prefs.PracticeColor);
    EXPECT_EQ(window().hoveredInteraction(), nullptr);
}

TEST_F(MatrixWindowTest, TheHoverHighlightGoesOffWhenADialogOpensOrThePointerLeaves) {
    const auto interaction = crossInteraction();
    const int index = window().interactionCellIndex(
        dynamic_cast<const ScenePaintable*>(interaction->Display.get()));
    const auto first = interaction->Practice1.lock();
    const auto lit = [&] { return first->Display->BackColor() == program_.prefs.HighlightColor; };

    // The user works in the window, the pointer over the interaction.
    main_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main_));
    QTest::mouseMove(&window().canvas(),
                     dynamic_cast<const ScenePaintable*>(interaction->Display.get())
                         ->paintRect()
                         .center()
                         .toPoint());
    window().lblInteract_MouseMove(index);
    ASSERT_TRUE(lit());
    bool litBehindTheDialog = true;
    bool hoveredBehindTheDialog = true;
    ModalScript dialogs;
    dialogs.then("frmInteractionDetails", [&](QDialog& dialog) {
        // What the wait saw is checked below, once the dialog is gone.
        static_cast<void>(
            QTest::qWaitFor([&] { return window().hoveredInteraction() == nullptr; }, 1000));
        litBehindTheDialog = lit();
        hoveredBehindTheDialog = window().hoveredInteraction() != nullptr;
        dialog.reject();
    });
    window().lblInteract_DblClick(index);
    EXPECT_FALSE(litBehindTheDialog);
    EXPECT_FALSE(hoveredBehindTheDialog);

    window().lblInteract_MouseMove(index);
    ASSERT_TRUE(lit());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&window().canvas(), &leave);
    EXPECT_FALSE(lit());
}

TEST_F(MatrixWindowTest, TheDescriptionBoxMakesRoomForItsCaptionAtAnyFont) {
    WindowControl& frame = window().FrameDescription();
    WindowControl& box = window().txtDescription();
    for (int points : {8, 14, 24, 10}) {
        SCOPED_TRACE(points);
        document().VRN_Practice_Font_Size = static_cast<std::int16_t>(points);
        window().Redraw();
        QFont caption = QApplication::font();
        caption.setPointSize(points);
        EXPECT_GE(box.top(), QFontMetricsF(caption).height() * 15);
        EXPECT_GE(box.top(), 300);
        EXPECT_FLOAT_EQ(box.top() + box.Height(), frame.Height() - 70);
    }
}

TEST_F(MatrixWindowTest, ALongTitleIsShortenedAboveTheDescriptionAndWholeInItsToolTip) {
    auto& frame = dynamic_cast<SceneFixedControl&>(window().FrameDescription());
    const auto& box = dynamic_cast<const ScenePaintable&>(window().txtDescription());
    const QString longTitle = QStringLiteral(
        "<b>Moving</b> the whole regional manufacturing "
        "organisation to lean operation by the end of next "
        "year & beyond");
    const QString oneWord = QString(300, QLatin1Char('W'));
    const QString twoLines = QStringLiteral("First line of the title\r\nand its second line");
    for (int points : {8, 14, 24}) {
        for (const QString& title : {longTitle, oneWord, twoLines}) {
            SCOPED_TRACE(points);
            SCOPED_TRACE(title.left(30).toStdString());
            document().VRN_Practice_Font_Size = static_cast<std::int16_t>(points);
            document().title = title.toStdString();
            window().Redraw();
            ASSERT_TRUE(frame.paintShown());
            ASSERT_TRUE(box.paintShown());
            const QRectF frameRect = frame.paintRect();
            const qreal boxTop = box.paintRect().top();

            const std::vector<CaptionLine> lines = frame.captionLines();
            ASSERT_FALSE(lines.empty());
            for (const CaptionLine& line : lines) {
                EXPECT_LE(line.rect.bottom(), boxTop);
                EXPECT_LE(line.rect.right(), frameRect.right());
                const QFontMetricsF metrics(sceneFont(static_cast<float>(points)));
                EXPECT_LE(metrics.horizontalAdvance(line.text), line.rect.width());
            }
            EXPECT_TRUE(lines.back().text.endsWith(QChar(0x2026)));
            // The tool tip shows the whole title, in its lines.
            EXPECT_EQ(shownToolTip(plainToolTip(frame.toolTip())),
                      QString(title).replace(QLatin1String("\r\n"), QLatin1String("\n")));

            // Nothing of the title is drawn where the box stands, nor in the margin beside it.
            QImage drawn(window().canvas().size(), QImage::Format_RGB32);
            const QRgb blank = qRgb(1, 2, 3);
            drawn.fill(blank);
            {
                QPainter painter(&drawn);
                frame.paint(painter, frameRect);
            }
            const QRect under =
                QRectF(QPointF(frameRect.left() + 2, boxTop), frameRect.bottomRight())
                    .adjusted(0, 0, -2, -2)
                    .toAlignedRect()
                    .intersected(drawn.rect());
            int ink = 0;
            for (int y = under.top(); y <= under.bottom(); ++y) {
                for (int x = under.left(); x <= under.right(); ++x) {
                    ink += drawn.pixel(x, y) != blank ? 1 : 0;
                }
            }
            EXPECT_EQ(ink, 0);
        }
    }

    // A title that fits shows whole, with no tool tip.
    document().VRN_Practice_Font_Size = 10;
    document().title = "Lean by next year";
    window().Redraw();
    ASSERT_EQ(frame.captionLines().size(), 1U);
    EXPECT_EQ(frame.captionLines().front().text, "Lean by next year");
    EXPECT_EQ(frame.toolTip(), "");
}

TEST_F(MatrixWindowTest, ATitleOfTwentyThousandCharactersPaintsShortenedAndWholeInItsToolTip) {
    // Shortened a character at a time, measuring the rest each time, it took minutes a paint.
    auto& frame = dynamic_cast<SceneFixedControl&>(window().FrameDescription());
    const QString words = QStringLiteral("Moving the whole organisation to lean operation ")
                              .repeated(420)
                              .left(20000);
    const QString oneWord(20000, QLatin1Char('W'));
    const QFontMetricsF metrics(sceneFont(frame.fontsize()));
    for (const QString& title : {words, oneWord}) {
        SCOPED_TRACE(title.left(10).toStdString());
        document().title = title.toStdString();
        window().Redraw();
        for (int paint = 0; paint < 3; ++paint) {
            EXPECT_FALSE(window().canvas().grab().isNull());
        }
        const std::vector<CaptionLine> lines = frame.captionLines();
        ASSERT_FALSE(lines.empty());
        for (const CaptionLine& line : lines) {
            EXPECT_LE(metrics.horizontalAdvance(line.text), line.rect.width());
        }
        EXPECT_TRUE(lines.back().text.endsWith(QChar(0x2026)));
        EXPECT_GT(lines.back().text.size(), 1);
        EXPECT_EQ(frame.toolTip(), title);
    }
}

TEST_F(MatrixWindowTest, TheReleaseTimerLetsThePressedCellGo) {
    const auto cell = existingPractice()->Display;
    cell->setValue(true);
    window().setPressedCell(cell);
    window().Timer1.setEnabled(true);
    QTRY_VERIFY(!window().Timer1.isEnabled());
    EXPECT_FALSE(cell->Value());
    EXPECT_TRUE(cell->Visible());
}

TEST_F(MatrixWindowTest, ThePracticeTimerAsksForTheDetailsOrTheOptionsEditor) {
    QSignalSpy details(&window(), &frmMatrix::practiceDetailsRequested);
    QSignalSpy options(&window(), &frmMatrix::practiceOptionsRequested);
    testing::ModalScript dialogs;
    dialogs.then("frmPracticeDetails", [](QDialog& dialog) { dialog.reject(); });
    dialogs.then("frmPracticeOptions", [](QDialog& dialog) { dialog.reject(); });
    const auto practice = existingPractice();
    window().Display_NoteBox(practice, "", "Note", "", 0, 0, 0, 1001, 10, 2);
    program_.Current_Item = practice;
    window().timer_load_Practice_details_Timer();
    EXPECT_EQ(details.count(), 1);
    EXPECT_FALSE(window().FrameNoteBox().isVisible());

    practice->OptionGroup = std::make_shared<VRN_Optiongroup>();
    window().timer_load_Practice_details.setEnabled(true);
    QTRY_COMPARE(options.count(), 1);
    EXPECT_EQ(program_.Options_Caller_Form, &window());

    program_.Current_Item = std::monostate{};
    window().timer_load_Practice_details_Timer();
    EXPECT_EQ(details.count() + options.count(), 2);
}

TEST_F(MatrixWindowTest, RenamesTakeANonEmptyAnswerOnly) {
    const auto practice = existingPractice();
    const std::string before = practice->Name();
    prompt_.answerText("");
    window().RenamePractice(practice);
    prompt_.cancel();
    window().RenamePractice(practice);
    EXPECT_EQ(practice->Name(), before);
    prompt_.answerText("Hiring");
    window().RenamePractice(practice);
    EXPECT_EQ(practice->Name(), "Hiring");
    EXPECT_EQ(practice->Display->text(), "Hiring");
    const ScriptedPrompt::Question& asked = prompt_.questions().back();
    EXPECT_EQ(asked.text, QString("Please Enter The New Name for '%1'").arg(before.c_str()));
    EXPECT_EQ(asked.title, "New Practice Name");
    EXPECT_EQ(asked.defaultText, QString::fromStdString(before));

    const auto group = document().Existing()->PGroups.Item(1);
    prompt_.answerText("Sales");
    window().RenamePracticeGroup(group);
    EXPECT_EQ(group->Name(), "Sales");
    EXPECT_EQ(prompt_.questions().back().title, "New Practice Group Name");

    window().FrameDescription().setText("Old title");
    prompt_.answerText("New title");
    window().RenameMatrix();
    EXPECT_EQ(document().title, "New title");
    EXPECT_EQ(window().FrameDescription().text(), "New title");
    EXPECT_EQ(prompt_.questions().back().text, "What is the new title for this Matrix?");
    EXPECT_EQ(prompt_.questions().back().title, "VRN Title");
    EXPECT_EQ(prompt_.questions().back().defaultText, "Old title");
}

TEST_F(MatrixWindowTest, ClosingAWindowLetsGoOfWhatTheProgramHeldInItOnly) {
    frmMatrix& first = window();
    const auto firstPractice = existingPractice();
    const auto firstGroup = first.base()->Existing()->PGroups.Item(1);
    item("mnuFileNew").trigger();
    const auto otherPractice = existingPractice();
    main_.mdiArea().setActiveSubWindow(main_.mdiArea().subWindowList().first());
    ASSERT_EQ(&window(), &first);

    program_.Current_Item = firstPractice;
    program_.Current_Interaction = crossInteraction();
    main_.Dragging_P = otherPractice;
    main_.Dragging_PG = firstGroup;
    closeWithoutSaving();
    item("mnuFileClose").trigger();
    EXPECT_TRUE(std::holds_alternative<std::monostate>(program_.Current_Item));
    EXPECT_EQ(program_.Current_Interaction, nullptr);
    EXPECT_EQ(main_.Dragging_PG, nullptr);
    EXPECT_EQ(main_.Dragging_P, otherPractice);
    EXPECT_EQ(windowCaptions(), QStringList{"Document 2"});
}

}  // namespace
}  // namespace vrn::testing
