#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "model/reports/printed_report_output.h"
#include "model/reports/printed_report_picture.h"
#include "model/vrn_matrix.h"

namespace vrn {

// A printed report that went wrong in places: `failures()` names each segment that broke off,
// with its error. The job was ended with what could be printed, unless ending it failed too
// (`jobEnded()` false, the last failure): then nothing was delivered.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(std::vector<std::string> failures, bool jobEnded = true);
    const std::vector<std::string>& failures() const { return failures_; }
    bool jobEnded() const { return jobEnded_; }

private:
    std::vector<std::string> failures_;
    bool jobEnded_;
};

// The printed report of one matrix, segment by segment, on a page output. The document's
// report flags choose the segments; its message service tells of an unknown segment name.
class PrintedReport {
public:
    PrintedReport(VRN_Matrix& matrix, ReportPageOutput& output) : matrix_(matrix), out_(output) {}

    // The picture page (when `matrixImage` is given), the title block, the chosen segments and
    // the end of the job. A segment that fails ends there and the next one follows; once the job
    // has ended, ReportError lists what failed. Errors of the picture page, the title block and
    // the end of the job reach the caller at once.
    void PrintReport(const ReportPicture* matrixImage);

    // One segment at the current position. A name that is not a segment's (letter case counts)
    // shows a message and prints nothing. An error ends the segment and reaches the caller.
    void PrintReportSegment(const std::string& segment, bool PrintDescription = false);

private:
    void matrixName();
    void matrixDescription();
    void matrixMetaData();
    void matrixAttribution();
    void currentPractices(bool PrintDescription);
    void allAlternatives(bool PrintDescription);
    void currentPracticeInteractions(bool PrintDescription);
    void alternativePracticeInteractions(bool PrintDescription);

    void stateListing(const VRN_State& state, bool existing, bool PrintDescription);
    void interactionListing(const std::string& stateName, bool existing, bool PrintDescription);
    void interactionLines(const VRN_Practice& practice, bool existing, bool PrintDescription);
    template <class UnderPractice>
    void practiceHeadings(const VRN_State& state, UnderPractice underPractice);
    void endPage();

    const std::string& footer() const { return matrix_.footer; }

    VRN_Matrix& matrix_;
    ReportPageOutput& out_;
    std::string line_;  // the interaction line being printed, reused
};

// The report banner's version text, "major.minor.revision".
std::string reportVersionText();

}  // namespace vrn
