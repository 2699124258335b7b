#include "app/shell/program.h"

#include "app/shell/command_line.h"
#include "app/shell/frm_main.h"
#include "app/shell/frm_splash.h"

namespace vrn {

Program::Program(ShellServices services) : services_(services) {}

Program::~Program() = default;

bool Program::Main(const QStringList& arguments) {
    state_.Standalone = true;
    state_.Command_Line = joinCommandLine(arguments);
    state_.Command_Line_Given = !state_.Command_Line.isEmpty();
    state_.About_Mode = false;
    if (!showSplashSequence(state_, services_)) {
        return false;
    }
    mainWindow_ = std::make_unique<frmMain>(state_, services_);
    state_.Main_Window = mainWindow_.get();
    QObject::connect(mainWindow_.get(), &frmMain::aboutRequested, mainWindow_.get(),
                     [this] { showAbout(); });
    return true;
}

void Program::showAbout() {
    showSplashSequence(state_, services_);
}

}  // namespace vrn
