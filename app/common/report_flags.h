#pragma once

namespace vrn {

// The report options of the run: which parts a printed or exported matrix report holds. Every
// run starts from these defaults; the flags are never stored.
struct ReportFlags {
    bool Report_MatrixImage = true;
    bool Report_MatrixDescription = true;
    bool Report_MatrixAttribution = true;
    bool Report_CurrentPracticeDescriptions = true;
    bool Report_TargetPracticeDescriptions = true;
    bool Report_IncludeHiddenAlternatives = true;
    bool Report_IncludeAlternativeImages = true;
    bool Report_IncludeCustomFields = false;
    bool Report_IncludeCustomImages = false;
    bool Report_CurrentPracticeInteractions = true;
    bool Report_TargetPracticeInteractions = true;
    bool Report_CurrentTargetInteractions = true;
    bool Report_InteractionValues = true;
    bool Report_InteractionDescriptions = true;
    bool Report_BlankInteractions = false;
    bool Report_CurrentPractices = true;

    bool operator==(const ReportFlags&) const = default;
};

}  // namespace vrn
