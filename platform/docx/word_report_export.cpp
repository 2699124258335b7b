#include "platform/docx/word_report_export.h"

#include <exception>

#include "model/reports/word_report.h"
#include "model/vrn_matrix.h"
#include "platform/docx/docx_word_document.h"

namespace vrn {

bool ExportWordReport(VRN_Matrix& matrix, const std::string& target, std::string_view matrixPicture,
                      const ReportFileOpener& openFile) {
    try {
        DocxWordDocument document(openFile);
        Export_Word(matrix, document, target, matrixPicture);
        return true;
    } catch (const std::exception& error) {
        matrix.Context.MsgBox(
            "The report could not be saved as \"" + target + "\": " + error.what() + ".",
            MsgButtons::OKOnly, MsgIcon::Critical);
        return false;
    }
}

}  // namespace vrn
