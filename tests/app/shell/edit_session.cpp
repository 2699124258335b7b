// A user's editing session on a matrix file, run on the real program under a display server:
//   vrn_edit_session edit MATRIX   opens MATRIX, adds a practice, sets two interactions, renames
//                                  a group, adds an alternative, types a description and authors
//                                  and saves each with Ctrl+S from its box, with the mouse on the
//                                  matrix, the menus and the keys, answering the real dialogs;
//   vrn_edit_session show MATRIX   opens MATRIX as a second start would and prints what it holds.
// It prints one line per step and ends with a non-zero status when a step fails.

#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/scene_paintable.h"
#include "app/shell/frm_main.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/app/shell/program_session.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <deque>
#include <string>

namespace vrn {
namespace {

int failures = 0;

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void check(bool ok, const QString& what) {
    say((ok ? QStringLiteral("ok: ") : QStringLiteral("FAILED: ")) + what);
    failures += ok ? 0 : 1;
}

// Answers the program's modal dialogs as the user of this session: the next text for an input
// box, OK for the attribution dialog; any other box is reported and answered with its default.
class DialogAnswerer : public QObject {
public:
    DialogAnswerer() {
        timer_.setInterval(20);
        connect(&timer_, &QTimer::timeout, this, &DialogAnswerer::poll);
        timer_.start();
    }
    void type(const QString& text) { texts_.push_back(text); }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            const QString text = texts_.empty() ? input->textValue() : texts_.front();
            if (!texts_.empty()) {
                texts_.pop_front();
            }
            say(QStringLiteral("  dialog '%1' answered '%2'").arg(input->labelText(), text));
            input->setTextValue(text);
            input->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            say(QStringLiteral("  message: %1").arg(box->text()));
            box->defaultButton() != nullptr ? box->defaultButton()->click() : box->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            say(QStringLiteral("  dialog %1 accepted").arg(dialog->objectName()));
            dialog->accept();
        }
    }

    QTimer timer_;
    std::deque<QString> texts_;
};

template <class Control>
QPoint centre(const std::shared_ptr<Control>& control) {
    return dynamic_cast<const ScenePaintable&>(*control).paintRect().center().toPoint();
}

// Picks `item` from the popup the last right press opened.
void choose(frmMain& main, const char* popup, const char* item) {
    QMenu* menu = main.menu(QLatin1String(popup));
    check(menu->isVisible(), QStringLiteral("the %1 popup opened").arg(QLatin1String(popup)));
    menu->hide();
    main.menuItem(QLatin1String(item))->trigger();
    settle();
}

const QString kTypedDescription = QStringLiteral("Description typed in the session");
const QString kTypedAuthors = QStringLiteral(" and the session");

// Presses on the text field `field`, types `text` into the editor that opens and saves with
// Ctrl+S while the cursor is still there.
void typeAndSave(frmMatrix& window, WindowControl& field, const QString& text) {
    // The keys go to the program's window, in front after the last dialog.
    window.window()->activateWindow();
    check(QTest::qWaitForWindowActive(window.window()), QStringLiteral("the program is active"));
    const auto& shown = dynamic_cast<const ScenePaintable&>(field);
    if (!window.canvas().rect().contains(shown.paintRect().toAlignedRect())) {
        // Below the window: the user scrolls down to it first.
        window.VScroll()->setValue(window.VScroll()->maximum());
        settle();
    }
    const QPoint at = shown.paintRect().center().toPoint();
    QTest::mouseClick(&window.canvas(), Qt::LeftButton, {}, at);
    settle();
    QWidget* editor = QApplication::focusWidget();
    check(editor != nullptr && editor->parentWidget() == &window.canvas(),
          QStringLiteral("an editor opened on the field"));
    if (editor == nullptr) {
        return;
    }
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    settle();
}

int edit(frmMain& main, DialogAnswerer& answers) {
    frmMatrix& window = *main.activeMatrixWindow();
    QWidget& canvas = window.canvas();
    VRN_Matrix& document = *window.base();
    const auto group = document.Existing()->PGroups.Item(1);
    const int practices = document.Existing()->Practices.Count();

    say(QStringLiteral("add a practice after the first one"));
    QTest::mouseClick(&canvas, Qt::RightButton, {},
                      centre(document.Existing()->Practices.Item(1)->Display));
    answers.type(QStringLiteral("Practice added in the session"));
    choose(main, "MnuPractice", "mnuPracticeAddNew");
    check(document.Existing()->Practices.Count() == practices + 1,
          QStringLiteral("one practice more"));

    say(QStringLiteral("set two interactions"));
    const char* values[] = {"mnuInteractionPlus", "mnuInteractionMinus"};
    for (int i = 0; i < 2; ++i) {
        const auto interaction = document.Interactions.Item(i + 1);
        QTest::mouseClick(&canvas, Qt::RightButton, {}, centre(interaction->Display));
        choose(main, "mnuInteraction", values[i]);
        check(interaction->Value() == (i == 0 ? "+" : "-"),
              QStringLiteral("interaction %1 is '%2'")
                  .arg(i + 1)
                  .arg(QString::fromStdString(interaction->Value())));
    }

    say(QStringLiteral("rename the first group with a double press"));
    answers.type(QStringLiteral("Renamed in the session"));
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, centre(group->Display));
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, centre(group->Display), 100);
    settle();
    check(group->Name() == "Renamed in the session", QStringLiteral("the group is renamed"));

    say(QStringLiteral("add an alternative"));
    const int alternatives = document.Alt_count;
    answers.type(QStringLiteral("Alternative of the session"));
    main.menuItem(QStringLiteral("mnuAltAdd"))->trigger();
    settle();
    check(document.Alt_count == alternatives + 1 && document.Alt_i == document.Alt_count,
          QStringLiteral("the new alternative is shown"));

    say(QStringLiteral("type a description and authors, each saved with Ctrl+S from the box"));
    QAction* attribution = main.menuItem(QStringLiteral("mnuViewAttribution"));
    if (!attribution->isChecked()) {
        attribution->trigger();
        settle();
    }
    typeAndSave(window, window.txtDescription(), kTypedDescription);
    typeAndSave(window, window.txtAuthors(), kTypedAuthors);
    check(document.activeAlternative()->Description.find(kTypedDescription.toStdString()) !=
                  std::string::npos &&
              document.Authors.find(kTypedAuthors.toStdString()) != std::string::npos,
          QStringLiteral("the document has what the boxes show"));
    return failures;
}

int show(frmMain& main) {
    frmMatrix& window = *main.activeMatrixWindow();
    VRN_Matrix& document = *window.base();
    QStringList practices;
    for (int i = 1; i <= document.Existing()->Practices.Count(); ++i) {
        practices << QString::fromStdString(document.Existing()->Practices.Item(i)->Name());
    }
    say(QStringLiteral("practices: ") + practices.join(QStringLiteral(", ")));
    say(QStringLiteral("first group: ") +
        QString::fromStdString(document.Existing()->PGroups.Item(1)->Name()));
    QStringList alternatives;
    for (int i = 1; i <= document.Alt_count; ++i) {
        alternatives << QString::fromStdString(document.alternative(i)->Name);
    }
    say(QStringLiteral("alternatives: ") + alternatives.join(QStringLiteral(", ")));
    check(practices.contains(QStringLiteral("Practice added in the session")),
          QStringLiteral("the added practice is there"));
    check(document.Existing()->PGroups.Item(1)->Name() == "Renamed in the session",
          QStringLiteral("the renamed group is there"));
    check(alternatives.contains(QStringLiteral("Alternative of the session")),
          QStringLiteral("the added alternative is there"));
    check(document.Interactions.Count() >= 2 && document.Interactions.Item(1)->Value() == "+" &&
              document.Interactions.Item(2)->Value() == "-",
          QStringLiteral("the two interactions set are '+' and '-'"));
    // Typed while the added alternative was shown.
    const std::string& description = document.alternative(document.Alt_count)->Description;
    say(QStringLiteral("last alternative's description: ") + QString::fromStdString(description));
    say(QStringLiteral("authors: ") + QString::fromStdString(document.Authors));
    check(description.find(kTypedDescription.toStdString()) != std::string::npos,
          QStringLiteral("the typed description is there"));
    check(document.Authors.find(kTypedAuthors.toStdString()) != std::string::npos,
          QStringLiteral("the typed authors are there"));
    return failures;
}

}  // namespace
}  // namespace vrn

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 || (arguments[1] != "edit" && arguments[1] != "show")) {
        std::fprintf(stderr, "usage: vrn_edit_session edit|show MATRIX\n");
        return 2;
    }
    vrn::DialogAnswerer answers;
    vrn::ProgramSession session;
    vrn::frmMain* main = session.start(arguments[2]);
    if (main == nullptr) {
        return 1;
    }
    const int failed = arguments[1] == "edit" ? vrn::edit(*main, answers) : vrn::show(*main);
    // What is wanted is saved already.
    vrn::ProgramSession::end(failed == 0 ? 0 : 1);
}
