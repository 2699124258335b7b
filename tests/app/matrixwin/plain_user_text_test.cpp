#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/note_box.h"
#include "app/matrixwin/scene_paintable.h"
#include "app/matrixwin/vrn_main.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"
#include "platform/testing/scripted_prompt.h"
#include "tests/app/matrixwin/shown_tool_tip.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <optional>

#include <gtest/gtest.h>

// Names and notes a user typed show on the matrix window as typed, even when they look like
// markup.

namespace vrn {
namespace {

class PlainUserTextTest : public ::testing::Test {
protected:
    PlainUserTextTest() {
        program_.Standalone = true;
        window_.LoadNewDoc = true;
        window_.Form_Load();
        window_.show();
    }

    // The tool tip the canvas shows over `control`, as the reader sees it. `screenX` is where
    // the pointer stands across the screen when it is on the control; its middle otherwise.
    QString toolTipOver(const ScenePaintable& control, std::optional<int> screenX = {}) {
        QToolTip::hideText();
        const QRect rect = control.paintRect().toAlignedRect().adjusted(1, 1, -1, -1);
        QPoint at = rect.center();
        if (screenX) {
            at.setX(std::clamp(window_.canvas().mapFromGlobal(QPoint(*screenX, 0)).x(), rect.left(),
                               rect.right()));
        }
        pointer_ = window_.canvas().mapToGlobal(at);
        QHelpEvent help(QEvent::ToolTip, at, pointer_);
        QApplication::sendEvent(&window_.canvas(), &help);
        if (!QToolTip::isVisible()) {
            return {};
        }
        return testing::shownToolTip(QToolTip::text());
    }

    // An interaction label shown on the canvas, for its tool tip.
    std::shared_ptr<InteractionLabel> shownInteractionLabel() {
        auto label = window_.CreateInteract(window_.base()->Existing()->Interactions.Item(1));
        label->setLeft(300);
        label->setTop(300);
        label->setWidth(600);
        label->setHeight(600);
        label->setVisible(true);
        return label;
    }

    // The label the tool tip shows in, when one shows.
    static const QLabel* shownTipLabel() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->inherits("QTipLabel") && widget->isVisible()) {
                return qobject_cast<const QLabel*>(widget);
            }
        }
        return nullptr;
    }

    VrnMain program_;
    ScriptedPrompt prompt_;
    frmMatrix window_{program_, prompt_};
    QPoint pointer_;  // where toolTipOver hovered, on the screen
};

TEST_F(PlainUserTextTest, ToolTipsShowNamesAndNotesLiterally) {
    const auto label = shownInteractionLabel();
    for (const char* note : {"<img src=x>", "<b>bold</b> & <i>more</i>", "plain note"}) {
        SCOPED_TRACE(note);
        label->setToolTipText(note);
        EXPECT_EQ(toolTipOver(dynamic_cast<const ScenePaintable&>(*label)), QLatin1String(note));
    }

    // A name too long for its cell shows whole in the tip, tags and all.
    const auto practice = window_.base()->Existing()->Practices.Item(1);
    auto cell = window_.CreatePracticeGroup(false, practice);
    const QString name = QStringLiteral("<h1>Heading</h1> ") + QString(200, QLatin1Char('x'));
    cell->setText(name.toStdString());
    cell->setLeft(1500);
    cell->setTop(1500);
    cell->setWidth(900);
    cell->setHeight(300);
    cell->setVisible(true);
    EXPECT_EQ(toolTipOver(dynamic_cast<const ScenePaintable&>(*cell)), name);
}

TEST_F(PlainUserTextTest, LongToolTipsWrapWithinTheScreenAndShortOnesStayOnOneLine) {
    const auto label = shownInteractionLabel();
    const QString sentence =
        QStringLiteral("Precast walls from a contractor <b>outside</b> the organisation & more ");
    struct Case {
        const char* what;
        QString note;
        bool wraps;
    };
    const Case cases[] = {
        {"short markup", QStringLiteral("<b>x</b>"), false},
        {"a short sentence", sentence, false},
        {"a 400-character note", sentence.repeated(6).left(400), true},
        {"a word of 400 characters", QString(400, QLatin1Char('W')), true},
        {"long lines of their own", sentence.repeated(3) + "\n\n" + sentence.repeated(3), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        label->setToolTipText(c.note.toStdString());
        EXPECT_EQ(toolTipOver(dynamic_cast<const ScenePaintable&>(*label)), c.note);
        const QLabel* tip = shownTipLabel();
        ASSERT_NE(tip, nullptr);
        const QRect screen = tip->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(tip->geometry()));
        const QFontMetrics metrics(tip->font());
        if (c.wraps) {
            // In lines of a readable width, not squeezed into a narrow column.
            EXPECT_GE(tip->height(), 4 * metrics.lineSpacing());
            EXPECT_GE(tip->width(), std::min(40 * metrics.averageCharWidth(), screen.width() / 2));
        } else {
            EXPECT_LT(tip->height(), 2 * metrics.lineSpacing());
        }
    }

    // A note taller than the screen shows what fits, and says that more follows. The pointer
    // stands in the screen's middle, where the tip is too wide for either side of it.
    const QString huge = sentence.repeated(300);
    label->setToolTipText(huge.toStdString());
    label->setWidth(30000);
    const QString shown = toolTipOver(dynamic_cast<const ScenePaintable&>(*label),
                                      window_.screen()->availableGeometry().center().x());
    ASSERT_EQ(pointer_.x(), window_.screen()->availableGeometry().center().x());
    EXPECT_TRUE(shown.startsWith(sentence.repeated(3))) << shown.left(300).toStdString();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    const QLabel* tip = shownTipLabel();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->screen()->availableGeometry().contains(tip->geometry()));
    // A tip under the pointer would go at once: the pointer leaves the control for the tip.
    EXPECT_FALSE(tip->geometry().contains(pointer_));
}

TEST_F(PlainUserTextTest, TheCaptionAndTheNoteBoxTitleShowAsTyped) {
    // A title bar takes "[*]" for the modified mark, a group box '&' for a shortcut key.
    const QString caption = QStringLiteral("/plans/Q&A [*] <b>draft</b>.vrn");
    window_.setCaption(caption);
    EXPECT_EQ(window_.Caption(), caption);
    ASSERT_NE(window_.windowHandle(), nullptr);
    EXPECT_EQ(window_.windowHandle()->title(), caption);

    const auto practice = window_.base()->Existing()->Practices.Item(1);
    window_.Display_NoteBox(practice, "R&D <i>notes</i>", "Hire fast", "", 0xFF, 0, 0, 1, 10, 0);
    EXPECT_TRUE(QKeySequence::mnemonic(window_.FrameNoteBox().title()).isEmpty());
}

TEST_F(PlainUserTextTest, AQuestionQuotesALongNameShortenedAndEditsItWhole) {
    const auto practice = window_.base()->Existing()->Practices.Item(1);
    const std::string name = std::string(1 << 20, 'n');
    practice->setName(name);
    prompt_.cancel();
    window_.RenamePractice(practice);
    ASSERT_EQ(prompt_.questions().size(), 1U);
    const ScriptedPrompt::Question& asked = prompt_.questions().front();
    EXPECT_EQ(asked.text, QStringLiteral("Please Enter The New Name for '") +
                              QString(40, QLatin1Char('n')) + QStringLiteral("...'"));
    EXPECT_EQ(asked.defaultText.size(), 1 << 20);
    EXPECT_EQ(practice->Name(), name);
}

}  // namespace
}  // namespace vrn
