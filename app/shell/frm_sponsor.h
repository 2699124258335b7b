#pragma once

#include "app/shell/shell_services.h"
#include "platform/one_shot_timer.h"

#include <QWidget>

class QLabel;

namespace vrn {

struct VrnMain;

// The window that thanks those who support the research behind the program; its timer shows
// the main window.
class frmSponsor : public QWidget {
    Q_OBJECT
public:
    frmSponsor(VrnMain& program, ShellServices services, QWidget* parent = nullptr);

    void Load();

    OneShotTimer Timer1;

private:
    void Timer1_Timer();

    VrnMain& program_;
    ShellServices services_;
};

// Places a start-up window in the middle of the screen.
void centreOnScreen(QWidget& window);

}  // namespace vrn
