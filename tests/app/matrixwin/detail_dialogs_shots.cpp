// Opens each detail dialog on a matrix file, and an input box and a message that quote a practice's
// name, and saves a picture of each:
//   detail_dialogs_shots MATRIX.vrn FOLDER
// Prints "saved PATH" for every picture.
#include "app/matrixwin/frm_directions_details.h"
#include "app/matrixwin/frm_interaction_details.h"
#include "app/matrixwin/frm_option_details.h"
#include "app/matrixwin/frm_oval_dialogue.h"
#include "app/matrixwin/frm_practice_details.h"
#include "app/matrixwin/frm_practice_options.h"
#include "app/matrixwin/vrn_main.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/qt_prompt.h"
#include "platform/testing/recording_program_starter.h"
#include "platform/testing/scripted_prompt.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <fstream>
#include <functional>
#include <iostream>

namespace {

constexpr int kSettleMilliseconds = 300;

// Gives `practice` an option group asking `prompt` whose options after the first are `answers`.
void giveOptions(const std::shared_ptr<vrn::VRN_Practice>& practice, const std::string& prompt,
                 const std::vector<std::string>& answers) {
    auto group = std::make_shared<vrn::VRN_Optiongroup>();
    group->Create(practice->Name() + "_OptionGroup", practice, nullptr);
    group->Prompt = prompt;
    auto first = std::make_shared<vrn::VRN_Option>();
    first->Create(practice->Name(), group, nullptr);
    first->setDescription(practice->Description());
    first->Discussion = practice->Discussion;
    for (const std::string& answer : answers) {
        auto option = std::make_shared<vrn::VRN_Option>();
        option->Create(answer, group, nullptr);
        option->setDescription("Carried out as " + answer);
    }
}

bool save(QWidget& dialog, const QDir& folder, const QString& name) {
    dialog.show();
    QEventLoop settle;
    QTimer::singleShot(kSettleMilliseconds, &settle, &QEventLoop::quit);
    settle.exec();
    const QString path = folder.filePath(name);
    if (!dialog.grab().save(path)) {
        std::cerr << "could not save " << path.toStdString() << '\n';
        return false;
    }
    std::cout << "saved " << path.toStdString() << std::endl;
    dialog.hide();
    return true;
}

// Saves a picture of the modal dialog that `open` brings up, then closes it as Escape would.
bool saveModal(const QDir& folder, const QString& name, const std::function<void()>& open) {
    bool saved = false;
    QTimer::singleShot(kSettleMilliseconds, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            std::cerr << "no dialog for " << name.toStdString() << '\n';
            return;
        }
        const QString path = folder.filePath(name);
        saved = dialog->grab().save(path);
        std::cout << (saved ? "saved " : "could not save ") << path.toStdString() << std::endl;
        dialog->reject();
    });
    open();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: detail_dialogs_shots MATRIX.vrn FOLDER\n";
        return 2;
    }
    auto document = std::make_shared<vrn::VRN_Matrix>();
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "cannot open " << argv[1] << '\n';
        return 1;
    }
    bool directions = false;
    document->Read(*file.rdbuf(), argv[1], nullptr, directions, {nullptr, true, nullptr});
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(folder.path());

    vrn::VrnMain program;
    vrn::ScriptedPrompt prompt;
    vrn::RecordingProgramStarter starter;
    const vrn::DetailDialogServices services{program, prompt, starter};
    bool saved = true;

    const auto& interaction = document->Interactions.Item(1);
    interaction->setValue("+");
    interaction->setNote("Reinforcing Interaction");
    interaction->setDescription("Both practices shorten the time on site.");
    interaction->setDiscussion("http://example.org/interaction");
    {
        vrn::FrmInteractionDetails dialog(services, *interaction);
        saved &= save(dialog, folder, QStringLiteral("1-interaction-details.png"));
    }

    const auto& group = document->Existing()->PGroups.Item(1);
    const auto& practice = group->PracticeParts.Item(1);
    practice->setDescription("The practice as the matrix names it.");
    practice->Discussion = "http://example.org/practice";
    program.Current_Item = practice;
    {
        vrn::FrmPracticeDetails dialog(services, *practice);
        saved &= save(dialog, folder, QStringLiteral("2-practice-details.png"));
    }

    for (const auto& member : group->PracticeParts) {
        giveOptions(member, "How is " + member->Name() + " carried out?",
                    {member->Name() + " by hand", member->Name() + " by machine",
                     member->Name() + " by a contractor"});
    }
    {
        vrn::FrmPracticeOptions dialog(services, *practice, {});
        saved &= save(dialog, folder, QStringLiteral("3-practice-options.png"));
    }
    {
        const auto& option = practice->OptionGroup->Options.Item(2);
        option->Discussion = "http://example.org/option";
        option->color = 0x80FFFF;
        program.Current_Option = option;
        vrn::FrmOptionDetails dialog(services, *option);
        saved &= save(dialog, folder, QStringLiteral("4-option-details.png"));
    }
    {
        vrn::FrmOvalDialogue dialog(services);
        dialog.Load_Data(group);
        saved &= save(dialog, folder, QStringLiteral("5-guided-questions.png"));
    }
    {
        program.Dialog_Title = QStringLiteral("Description");
        program.Directions_Object = document->Existing();
        vrn::FrmDirectionsDetails dialog(program, prompt);
        saved &= save(dialog, folder, QStringLiteral("6-state-description.png"));
    }
    // The program's own questions and messages, quoting a practice's name.
    vrn::QtPrompt questions(QStringLiteral("Vrn"));
    const QString name = QString::fromStdString(practice->Name());
    saved &= saveModal(folder, QStringLiteral("7-input-box.png"), [&] {
        questions.inputBox(QStringLiteral("Please Enter The New Name for '%1'").arg(name),
                           QStringLiteral("New Practice Name"), name);
    });
    saved &= saveModal(folder, QStringLiteral("8-message-box.png"), [&] {
        questions.messageBox(
            QStringLiteral("Are you sure you wish to delete option: '%1'").arg(name),
            {vrn::MsgBoxButtons::OkCancel}, QStringLiteral("Delete Confirmation"));
    });
    return saved ? 0 : 1;
}
