// Pictures of what a user sees in the matrix window and its dialogs, taken on the real program
// under a display server:
//   vrn_view_shots MATRIX FOLDER
// It opens MATRIX and saves the matrix as opened, after Scale Down ten times, after Scale Up ten
// times, and four steps larger; then the Options dialog (its Formating and Colors tabs), the
// guided option questions (a question, the answer in force, a practice without options) and the
// practice options editor with long option names. Prints "saved PATH" for every picture and
// ends with a non-zero status when one could not be saved.

#include "app/matrixwin/frm_matrix.h"
#include "app/shell/frm_main.h"
#include "model/vrn_matrix.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/cell_button.h"
#include "tests/app/shell/program_session.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace vrn {
namespace {

int failures = 0;

void save(QWidget& widget, const QDir& folder, const QString& name) {
    settle();
    const QString path = folder.filePath(name);
    if (widget.grab().save(path, "PNG")) {
        std::printf("saved %s\n", qPrintable(path));
    } else {
        std::printf("could not save %s\n", qPrintable(path));
        ++failures;
    }
    std::fflush(stdout);
}

// Runs `look` on the modal dialog that `open` brings up, at once or from a timer, then closes
// it.
void onModal(const std::function<void()>& open, const std::function<void(QDialog&)>& look) {
    bool looked = false;
    QTimer::singleShot(300, [&look, &looked] {
        looked = true;
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            std::printf("no dialog opened\n");
            ++failures;
            return;
        }
        look(*dialog);
        dialog->reject();
    });
    open();
    if (!QTest::qWaitFor([&looked] { return looked; }, 5000)) {
        qWarning("no dialog opened to be pictured");
    }
    settle();
}

void repeat(frmMain& main, const char* item, int times) {
    for (int i = 0; i < times; ++i) {
        main.menuItem(QLatin1String(item))->trigger();
    }
}

// Gives every practice of `group` but the second an option group asking a question.
void giveOptions(VRN_PracticeGroup& group) {
    int index = 0;
    for (const auto& practice : group.PracticeParts) {
        if (++index == 2) {
            continue;
        }
        auto options = std::make_shared<VRN_Optiongroup>();
        options->Create(practice->Name() + "_OptionGroup", practice, practice->InForm);
        options->Prompt = "How is " + practice->Name() + " carried out?";
        for (const std::string& name :
             {practice->Name(), practice->Name() + " by hand", practice->Name(),
              practice->Name() + " by a contractor from outside the organisation"}) {
            auto option = std::make_shared<VRN_Option>();
            option->Create(name, options, practice->InForm);
        }
    }
}

void matrixPictures(frmMain& main, const QDir& folder) {
    save(main, folder, QStringLiteral("1-matrix.png"));
    repeat(main, "mnuViewScaledown", 10);
    save(main, folder, QStringLiteral("2-scale-down-10.png"));
    repeat(main, "mnuViewScaleUp", 10);
    save(main, folder, QStringLiteral("3-scale-up-10.png"));
    repeat(main, "mnuViewScaleUp", 4);
    save(main, folder, QStringLiteral("4-scale-up-4-more.png"));
    repeat(main, "mnuViewScaledown", 4);
}

void optionsPictures(frmMain& main, const QDir& folder) {
    onModal([&main] { main.menuItem(QStringLiteral("mnuViewOptions"))->trigger(); },
            [&folder](QDialog& dialog) {
                save(dialog, folder, QStringLiteral("5-options-formating.png"));
                dialog.findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(2);
                save(dialog, folder, QStringLiteral("6-options-colors.png"));
            });
}

void guidedPictures(frmMain& main, frmMatrix& window, const QDir& folder) {
    const auto group = window.base()->Existing()->PGroups.Item(1);
    giveOptions(*group);
    window.Show_Practice_Selection(group);
    onModal([&main] { main.menuItem(QStringLiteral("mnuPracticeGroupDialogue"))->trigger(); },
            [&folder](QDialog& dialog) {
                save(dialog, folder, QStringLiteral("7-guided-question.png"));
                dialog.findChild<CellButton*>(QStringLiteral("BtnQuestion"))->click();
                save(dialog, folder, QStringLiteral("8-guided-no-options.png"));
            });
    window.Show_Practice_Selection(group->PracticeParts.Item(1));
    onModal([&main] { main.menuItem(QStringLiteral("mnuPracticeOptions"))->trigger(); },
            [&folder](QDialog& dialog) {
                save(dialog, folder, QStringLiteral("9-practice-options.png"));
            });
}

}  // namespace
}  // namespace vrn

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: vrn_view_shots MATRIX FOLDER\n");
        return 2;
    }
    const QDir folder(arguments[2]);
    QDir().mkpath(folder.path());
    vrn::ProgramSession session;
    vrn::frmMain* main = session.start(arguments[1]);
    if (main == nullptr) {
        return 1;
    }
    vrn::matrixPictures(*main, folder);
    vrn::optionsPictures(*main, folder);
    vrn::guidedPictures(*main, *main->activeMatrixWindow(), folder);
    // Nothing of the session is to be kept.
    vrn::ProgramSession::end(vrn::failures == 0 ? 0 : 1);
}
