#pragma once

#include "app/matrixwin/vrn_main.h"
#include "app/shell/shell_services.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vrn {

class frmMain;

// The program: its state for the run, its one main window and the start-up sequence.
class Program {
public:
    explicit Program(ShellServices services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts a run with the program's arguments (one matrix file, perhaps split at blanks). False
    // when the user refused the notice: the run ends at once.
    bool Main(const QStringList& arguments);

    VrnMain& state() { return state_; }
    frmMain* mainWindow() const { return mainWindow_.get(); }

private:
    void showAbout();

    ShellServices services_;
    VrnMain state_;
    std::unique_ptr<frmMain> mainWindow_;
};

}  // namespace vrn
