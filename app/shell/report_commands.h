#pragma once

#include "app/shell/shell_services.h"

#include <QObject>

namespace vrn {

class frmMain;
class frmMatrix;
struct VrnMain;

// The File menu's report and picture commands (Print, Print Captured Image, Report Options,
// Print Report, Export to Word) and the frame tool's Partial Screen Capture. Each acts on the
// active matrix window and does nothing without one.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    ReportCommands(frmMain& main, VrnMain& program, ShellServices services);

private:
    void mnuFilePrint_Click();
    void munFilePrintCaptured_Click();
    void mnuFileReportOptions_Click();
    void mnuFilePrintReport_Click();
    void mnuFileExportWord_Click();
    void mnuCapturePartofScreen_Click();
    void on(const char* item, void (ReportCommands::*command)());
    // After a failed print: the user saves the work under a new name.
    void saveAfterFailure(frmMatrix& window);

    frmMain& main_;
    VrnMain& program_;
    ShellServices services_;
};

}  // namespace vrn
