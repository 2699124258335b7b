#include "app/shell/frm_main.h"
#include "app/shell/program.h"
#include "app/shell/program_title.h"
#include "app/shell/screenshot_switch.h"
#include "platform/heap_limits.h"
#include "platform/qt_program_starter.h"
#include "platform/qt_prompt.h"
#include "platform/qt_settings_store.h"

#include <QApplication>

int main(int argc, char** argv) {
    vrn::settleHeapLimits();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(vrn::kProgramTitle));

    vrn::QtSettingsStore settings(QLatin1String(vrn::kProgramTitle));
    vrn::QtPrompt prompt(QLatin1String(vrn::kProgramTitle));
    vrn::QtProgramStarter starter;
    vrn::Program program({settings, prompt, starter});
    if (!program.Main(QApplication::arguments().mid(1))) {
        return 0;
    }
    prompt.setParentWindow(program.mainWindow());
    vrn::ScreenshotSwitch screenshot(*program.mainWindow());
    return QApplication::exec();
}
