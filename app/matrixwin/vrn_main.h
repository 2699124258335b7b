#pragma once

#include "app/common/preferences.h"
#include "app/common/report_flags.h"
#include "app/matrixwin/matrix_host.h"
#include "model/interfaces/catalogue_entity.h"
#include "model/model_fwd.h"
#include "platform/printer_choice.h"

#include <QPointer>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <variant>

namespace vrn {

class frmMatrix;

// The selected practice or practice group; nothing selected when it holds neither.
using SelectedItem =
    std::variant<std::monostate, std::shared_ptr<VRN_Practice>, std::shared_ptr<VRN_PracticeGroup>>;

// The document or state whose text the directions dialog edits.
using DirectionsTarget =
    std::variant<std::monostate, std::shared_ptr<VRN_Matrix>, std::shared_ptr<VRN_State>>;

// What a drag or the copy buffer holds.
inline constexpr qint16 kSourcePractice = 13;
inline constexpr qint16 kSourcePracticeGroup = 14;

// The program's state for the whole run, shared by its windows on the one user-interface
// thread. The program owns the one instance.
struct VrnMain {
    // Start-up.
    bool Standalone = false;
    // The command line as one file name, blanks included.
    QString Command_Line;
    bool Command_Line_Given = false;
    // The splash sequence runs as the About box.
    bool About_Mode = false;
    // The main window, once there is one.
    MatrixHost* Main_Window = nullptr;

    // The active window's document and what is selected in it.
    std::shared_ptr<VRN_Matrix> Current_Matrix;
    SelectedItem Current_Item;
    std::shared_ptr<VRN_MatrixInteraction> Current_Interaction;
    std::shared_ptr<VRN_Option> Current_Option;
    // Default colour of the detail dialogs' colour choice; every new matrix window resets it.
    qint32 Current_Default_Color = 0xC0C0C0;
    bool Last_Hover_Cross = false;
    qint16 Drag_Source_Kind = 0;
    qint16 Copy_Source_Kind = 0;
    // When the last left press on a matrix cell came, in seconds of the press clock.
    double Last_Press_Time = 0;

    // Requests that other windows leave for a matrix window.
    bool Redraw_Pending = false;
    bool Report_Print_Requested = false;
    bool Report_Export_Requested = false;
    QPointer<frmMatrix> Report_Window;
    QString Dialog_Title;
    DirectionsTarget Directions_Object;
    QPointer<frmMatrix> Options_Caller_Form;
    bool Save_As_Running = false;
    bool Save_As_Locked = false;
    bool Visio_Debug = false;
    // The printer and pages set up by File > Page Setup: prints without a print dialog go there,
    // the print dialogs start there. Empty until then.
    PrinterChoice Printer_Choice;

    Preferences prefs;
    ReportFlags report;

    void Init_Report_Options() { report = ReportFlags{}; }
};

}  // namespace vrn
