#include "app/shell/report_commands.h"

#include "app/matrixwin/frm_attribution.h"
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/frm_main.h"
#include "app/shell/report_options_dialog.h"

#include <QAction>
#include <QApplication>
#include <QPointer>

#include <exception>

namespace vrn {

namespace {

const QString kImageFailedText = QStringLiteral(
    "An error has occured in attempting to print the image: '%1' ...I'll ask you to save your "
    "work.");

}  // namespace

ReportCommands::ReportCommands(frmMain& main, VrnMain& program, ShellServices services)
    : QObject(&main), main_(main), program_(program), services_(services) {
    on("mnuFilePrint", &ReportCommands::mnuFilePrint_Click);
    on("munFilePrintCaptured", &ReportCommands::munFilePrintCaptured_Click);
    on("mnuFileReportOptions", &ReportCommands::mnuFileReportOptions_Click);
    on("mnuFilePrintReport", &ReportCommands::mnuFilePrintReport_Click);
    on("mnuFileExportWord", &ReportCommands::mnuFileExportWord_Click);
    on("mnuCapturePartofScreen", &ReportCommands::mnuCapturePartofScreen_Click);
}

void ReportCommands::on(const char* item, void (ReportCommands::*command)()) {
    connect(main_.menuItem(QLatin1String(item)), &QAction::triggered, this,
            [this, command] { main_.runDocumentCommand([this, command] { (this->*command)(); }); });
}

void ReportCommands::mnuFilePrint_Click() {
    if (frmMatrix* window = main_.activeMatrixWindow()) {
        // Prints with the scroll bars hidden; a failure is reported and the work saved.
        window->init_print_Report();
    }
}

void ReportCommands::munFilePrintCaptured_Click() {
    const QPointer<frmMatrix> window = main_.activeMatrixWindow();
    if (window == nullptr) {
        return;
    }
    try {
        window->Print_Captured_Image();
    } catch (const std::exception& error) {
        services_.prompt.messageBox(kImageFailedText.arg(QString::fromUtf8(error.what())));
        if (window != nullptr) {
            saveAfterFailure(*window);
        }
    }
}

void ReportCommands::saveAfterFailure(frmMatrix& window) {
    const QPointer<frmMatrix> guard(&window);
    program_.Current_Matrix = window.base();
    program_.Save_As_Running = true;
    showAttribution(program_, &main_);
    program_.Save_As_Running = false;
    if (guard == nullptr) {
        return;
    }
    window.SaveMatrixAs(program_.Save_As_Locked);
    window.Redraw();
}

void ReportCommands::mnuFileReportOptions_Click() {
    Show_Report_Dialog(program_, QStringLiteral("My Title"), main_.activeMatrixWindow(), &main_);
}

void ReportCommands::mnuFilePrintReport_Click() {
    frmMatrix* window = main_.activeMatrixWindow();
    if (window == nullptr) {
        return;
    }
    try {
        window->Print_Report();
    } catch (const std::exception& error) {
        services_.prompt.messageBox(QStringLiteral("The report could not be printed: %1")
                                        .arg(QString::fromUtf8(error.what())),
                                    {.icon = MsgBoxIcon::Critical});
    }
}

void ReportCommands::mnuFileExportWord_Click() {
    frmMatrix* window = main_.activeMatrixWindow();
    if (window == nullptr) {
        return;
    }
    program_.Report_Window = window;
    window->Timer_Export_word.setEnabled(true);
}

void ReportCommands::mnuCapturePartofScreen_Click() {
    if (frmMatrix* window = main_.activeMatrixWindow()) {
        if (QApplication::overrideCursor() != nullptr) {
            QApplication::changeOverrideCursor(Qt::CrossCursor);
        } else {
            QApplication::setOverrideCursor(Qt::CrossCursor);
        }
        window->Frametool_Enabled = true;
    }
}

}  // namespace vrn
