#pragma once

#include "app/shell/shell_services.h"
#include "platform/one_shot_timer.h"

#include <QWidget>

namespace vrn {

struct VrnMain;

// The splash window that opens every run and the About box. Loading it shows the notice; once
// the notice is accepted its timer hands on to the sponsor window.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash(VrnMain& program, ShellServices services, QWidget* parent = nullptr);

    // Fills the labels and shows the notice modally; false when the user refused it.
    bool Load();

    OneShotTimer Timer1;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Timer1_Timer();

    VrnMain& program_;
    ShellServices services_;
};

// Runs the splash sequence: splash, notice, sponsor, then the main window. False when the notice
// was refused; the program then ends before any other window has opened.
bool showSplashSequence(VrnMain& program, ShellServices services);

}  // namespace vrn
