#pragma once

#include <string>

#include "model/vrn_matrix.h"

namespace vrn {

// The plain-text report of one matrix: segments as text with CR LF line ends and runs of
// underscores as separators, and the summary that PrintText prints.
class TextReport {
public:
    explicit TextReport(VRN_Matrix& matrix) : matrix_(matrix) {}

    // One segment; "" after a message for a name that is not a segment's (letter case counts).
    std::string GetText(const std::string& segment, bool PrintDescription = false) const;

    // Banner, matrix name, attribution, each alternative's name and description.
    std::string Summary() const;

private:
    std::string matrixName() const;
    std::string matrixDescription() const;
    std::string allAlternatives(bool PrintDescription) const;

    VRN_Matrix& matrix_;
};

// The banner with the product name and version ("MatrixMetaData").
std::string TextReportBanner();
// The attribution texts under their headings ("MatrixAttribution").
std::string TextReportAttribution(const VRN_Matrix& matrix);

}  // namespace vrn
