#pragma once

#include "app/shell/frm_main.h"
#include "app/shell/program.h"
#include "app/shell/program_title.h"
#include "platform/qt_program_starter.h"
#include "platform/qt_prompt.h"
#include "platform/qt_settings_store.h"
#include "platform/startup_waits.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace vrn {

// Lets the program's pending work run, as a user's pause between two steps would.
inline void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(50);
    }
}

// The real program of a session run under a display server: the program's name, the user's
// settings store, the real prompt and starter, no start-up waits and the notice accepted unseen.
class ProgramSession {
public:
    ProgramSession()
        : settings_(QLatin1String(kProgramTitle)),
          prompt_(QLatin1String(kProgramTitle)),
          program_({settings_, prompt_, starter_}) {
        QApplication::setApplicationName(QLatin1String(kProgramTitle));
        qputenv(kSkipSplashWaitVariable, "1");
        qputenv(kAcceptNoticeVariable, "1");
    }

    // Starts the program on the matrix file `matrix`; its main window once a matrix window shows,
    // or null (the reason printed) when none does.
    frmMain* start(const QString& matrix) {
        if (!program_.Main({matrix})) {
            return nullptr;
        }
        prompt_.setParentWindow(program_.mainWindow());
        settle();
        if (program_.mainWindow()->activeMatrixWindow() == nullptr) {
            std::fprintf(stderr, "no matrix window opened\n");
            return nullptr;
        }
        return program_.mainWindow();
    }

    // Ends the run at once with `status`: the windows go without asking about saving.
    [[noreturn]] static void end(int status) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            widget->hide();
        }
        std::_Exit(status);
    }

private:
    QtSettingsStore settings_;
    QtPrompt prompt_;
    QtProgramStarter starter_;
    Program program_;
};

}  // namespace vrn
