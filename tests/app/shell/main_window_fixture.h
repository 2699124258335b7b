#pragma once

#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/frm_main.h"
#include "platform/testing/memory_settings_store.h"
#include "platform/testing/recording_program_starter.h"
#include "platform/testing/scripted_prompt.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace vrn::testing {

// The main window's menu item named `name` (the `index`th of a control array).
inline QAction& menuItemOf(frmMain& main, const char* name, int index = -1) {
    QAction* found = main.menuItem(QLatin1String(name), index);
    if (found == nullptr) {
        throw std::logic_error(std::string("no menu item ") + name);
    }
    return *found;
}

// Opens the matrix file at `path` in a window of `main` that shows its attribution box.
inline void openShowingAttribution(frmMain& main, const QString& path) {
    main.openMatrixFile(path);
    QApplication::processEvents();
    QAction& attribution = menuItemOf(main, "mnuViewAttribution");
    if (!attribution.isChecked()) {
        attribution.trigger();
    }
}

// The stand-alone program's main window over a settings store in memory and a scripted prompt.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() : main_(program_, {settings_, prompt_, starter_}) {
        program_.Standalone = true;
        program_.Main_Window = &main_;
    }

    ~MainWindowFixture() override {
        EXPECT_TRUE(prompt_.problems().isEmpty()) << prompt_.problems().join('\n').toStdString();
    }

    // Loads and shows the main window as the sponsor window does.
    void load() {
        main_.Show();
        QApplication::processEvents();
    }

    QAction& item(const char* name, int index = -1) { return menuItemOf(main_, name, index); }

    frmMatrix& activeWindow() {
        frmMatrix* window = main_.activeMatrixWindow();
        if (window == nullptr) {
            throw std::logic_error("no active matrix window");
        }
        return *window;
    }

    // Each of the next `windows` matrix windows to close answers that it closes without saving.
    void closeWithoutSaving(int windows = 1) {
        for (int i = 0; i < windows; ++i) {
            prompt_.answer(MsgBoxResult::No);
            prompt_.answer(MsgBoxResult::Yes);
        }
    }

    QStringList windowCaptions() const {
        QStringList captions;
        for (const QMdiSubWindow* child : main_.mdiArea().subWindowList()) {
            captions << child->windowTitle();
        }
        return captions;
    }

    MemorySettingsStore settings_;
    ScriptedPrompt prompt_;
    RecordingProgramStarter starter_;
    VrnMain program_;
    frmMain main_;
};

}  // namespace vrn::testing
