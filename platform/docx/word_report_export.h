#pragma once

#include <string>
#include <string_view>

#include "model/model_fwd.h"
#include "model/reports/report_file.h"

namespace vrn {

// Saves the word-processor report of `matrix` as the .docx file `target`. The report flags of
// `matrix` (its rpt_ fields) choose what goes in; `matrixPicture` is the captured matrix as the
// bytes of a PNG file, used when rpt_MatrixImage is set (none leaves the picture out).
//
// Returns true when the file was saved. Otherwise the reason has been shown through the matrix's
// messages, and no file was left behind: a file that was there keeps its old contents.
// `openFile` opens the file the document is written to.
bool ExportWordReport(VRN_Matrix& matrix, const std::string& target,
                      std::string_view matrixPicture = {},
                      const ReportFileOpener& openFile = OpenReportFile);

}  // namespace vrn
