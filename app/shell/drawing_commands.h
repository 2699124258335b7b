#pragma once

#include "app/shell/shell_services.h"

#include <QObject>

namespace vrn {

class DrawingWindow;
class frmMain;
struct VrnMain;

// The drawing commands: Generate Drawing, Generate HTML page (the drawing published as the web
// page of the window's catalogue entity) and Diagnose (Generate with the diagnostic messages on).
// Each draws the active matrix on a page of the template in the preferences' template folder,
// with the masters of its stencil, and shows the drawing in a window of its own.
class DrawingCommands : public QObject {
    Q_OBJECT
public:
    enum class Command { Generate, GenerateHtml, Diagnose };

    DrawingCommands(frmMain& main, VrnMain& program, ShellServices services);

    // Runs `command` on the active window; the drawing's window, or null when none was made.
    DrawingWindow* run(Command command);

private:
    frmMain& main_;
    VrnMain& program_;
    ShellServices services_;
};

}  // namespace vrn
