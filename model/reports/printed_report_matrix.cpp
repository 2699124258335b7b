#include "model/reports/printed_report.h"
#include "model/reports/printed_report_pages.h"
#include "model/truth_values.h"
#include "model/vrn_matrix.h"

namespace vrn {

void VRN_Matrix::set_Report_Defaults() {
    rpt_MatrixImage = kTrue;
    rpt_MatrixDescription = kTrue;
    rpt_MatrixAttribution = kTrue;
    rpt_CurrentPracticeDescriptions = kTrue;
    rpt_TargetPracticeDescriptions = kTrue;
    rpt_IncludeHiddenAlternatives = kTrue;
    rpt_IncludeAlternativeImages = kTrue;
    rpt_IncludeCustomFields = kFalse;
    rpt_IncludeCustomImages = kFalse;
    rpt_CurrentPracticeInteractions = kTrue;
    rpt_TargetPracticeInteractions = kTrue;
    rpt_CurrentTargetInteractions = kTrue;
    rpt_InteractionValues = kTrue;
    rpt_InteractionDescriptions = kTrue;
    rpt_BlankInteractions = kFalse;
    rpt_CurrentPractices = kTrue;
}

void VRN_Matrix::PrintReport(ReportPrinter& printer, const ReportPicture* matrixImage) {
    PrinterPageOutput pages(printer);
    PrintedReport(*this, pages).PrintReport(matrixImage);
}

void VRN_Matrix::PrintReportSegment(ReportPrinter& printer, const std::string& segment,
                                    bool PrintDescription) {
    PrinterPageOutput pages(printer);
    PrintedReport(*this, pages).PrintReportSegment(segment, PrintDescription);
}

}  // namespace vrn
