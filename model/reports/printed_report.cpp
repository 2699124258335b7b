#include "model/reports/printed_report.h"

#include <exception>
#include <functional>
#include <utility>

#include "model/component_version.h"
#include "model/model_error.h"
#include "model/reports/printed_report_text.h"
#include "model/reports/report_prefetch.h"
#include "model/truth_values.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

// Font sizes of the report, in points.
constexpr double kTitlePoints = 22;
constexpr double kHeadingPoints = 16;
constexpr double kSubheadingPoints = 14;
constexpr double kTextPoints = 12;
constexpr double kLabelPoints = 10;

// Scale of the matrix picture page, in percent of the page.
constexpr double kMatrixImageScale = 86;

// Indent levels.
constexpr int kHeadingLevel = 0;
constexpr int kStateLevel = 1;
constexpr int kGroupLevel = 2;
constexpr int kPracticeLevel = 3;
constexpr int kPracticeDetailLevel = 4;
constexpr int kInteractionDetailLevel = 5;

constexpr bool kBold = true;
constexpr bool kPlain = false;
constexpr bool kRule = true;
constexpr bool kNoRule = false;

const std::string kNoFooter;
const std::string kNoHeading;

std::string failureText(const std::string& segment, const std::exception& error) {
    return segment + ": " + error.what();
}

std::string joinFailures(const std::vector<std::string>& failures, bool jobEnded) {
    std::string text = jobEnded
                           ? "The report is incomplete: these segments could not be printed whole."
                           : "The report could not be printed: the print job failed at its end, "
                             "and these parts of it failed before:";
    for (const auto& failure : failures) {
        text += "\n" + failure;
    }
    return text;
}

template <class Element>
std::shared_ptr<Element> require(const std::weak_ptr<Element>& link, const char* what) {
    auto element = link.lock();
    if (!element) {
        throw ModelError(std::string("An interaction has lost its ") + what + ".");
    }
    return element;
}

}  // namespace

ReportError::ReportError(std::vector<std::string> failures, bool jobEnded)
    : std::runtime_error(joinFailures(failures, jobEnded)),
      failures_(std::move(failures)),
      jobEnded_(jobEnded) {}

std::string reportVersionText() {
    const ComponentVersionNumbers version = componentVersionNumbers();
    return std::to_string(version.Major) + "." + std::to_string(version.Minor) + "." +
           std::to_string(version.Revision);
}

void PrintedReport::PrintReport(const ReportPicture* matrixImage) {
    if (matrixImage != nullptr) {
        out_.Print_Picture_To_Page(*matrixImage, false, kMatrixImageScale, footer());
    }
    out_.Printer_Setup();
    out_.Print_Block("Varnel", kTitlePoints, kHeadingLevel, kBold, footer(), kRule);

    const struct {
        std::int16_t flag;
        const char* segment;
        std::int16_t descriptions;
    } chosen[] = {
        {matrix_.rpt_MatrixDescription, "MatrixDescription", 0},
        {matrix_.rpt_MatrixAttribution, "MatrixAttribution", 0},
        {matrix_.rpt_CurrentPractices, "CurrentPractices", matrix_.rpt_CurrentPracticeDescriptions},
        {matrix_.rpt_CurrentPracticeInteractions, "CurrentPracticeInteractions",
         matrix_.rpt_InteractionDescriptions},
        {matrix_.rpt_IncludeHiddenAlternatives, "MatrixAllAlternatives",
         matrix_.rpt_TargetPracticeDescriptions},
        {matrix_.rpt_TargetPracticeInteractions, "AlternativePracticeInteractions",
         matrix_.rpt_InteractionDescriptions},
    };
    std::vector<std::string> failures;
    for (const auto& entry : chosen) {
        if (entry.flag == 0) {
            continue;
        }
        try {
            PrintReportSegment(entry.segment, entry.descriptions == kTrue);
        } catch (const std::exception& error) {
            failures.push_back(failureText(entry.segment, error));
        }
    }
    if (failures.empty()) {
        out_.EndDoc();
        return;
    }
    try {
        out_.EndDoc();
    } catch (const std::exception& error) {
        failures.push_back(failureText("end of the print job", error));
        throw ReportError(std::move(failures), false);
    }
    throw ReportError(std::move(failures));
}

void PrintedReport::PrintReportSegment(const std::string& segment, bool PrintDescription) {
    const std::pair<const char*, std::function<void()>> catalogue[] = {
        {"MatrixName", [&] { matrixName(); }},
        {"MatrixDescription", [&] { matrixDescription(); }},
        {"MatrixMetaData", [&] { matrixMetaData(); }},
        {"MatrixAttribution", [&] { matrixAttribution(); }},
        {"MatrixAllAlternatives", [&] { allAlternatives(PrintDescription); }},
        {"CurrentPractices", [&] { currentPractices(PrintDescription); }},
        {"CurrentPracticeInteractions", [&] { currentPracticeInteractions(PrintDescription); }},
        {"AlternativePracticeInteractions",
         [&] { alternativePracticeInteractions(PrintDescription); }},
    };
    for (const auto& [name, print] : catalogue) {
        if (segment == name) {
            print();
            return;
        }
    }
    matrix_.Context.MsgBox("unrecognized segment name: " + segment);
}

void PrintedReport::matrixName() {
    out_.Print_Block(matrix_.title, kHeadingPoints, kHeadingLevel, kBold, kNoFooter, kNoRule);
}

void PrintedReport::matrixDescription() {
    out_.Print_Block(" Description: ", kSubheadingPoints, kStateLevel, kPlain, footer(), kRule);
    out_.Print_Wrapped(matrix_.alternative()->Description, kStateLevel, kSubheadingPoints, kBold,
                       kNoHeading, footer());
}

void PrintedReport::matrixMetaData() {
    out_.Print_Block(" Software Version: ", kSubheadingPoints, kHeadingLevel, kBold, kNoFooter,
                     kNoRule);
    out_.Print_Segment(" --- V " + reportVersionText() + " -----   \r\n", kStateLevel, kTextPoints,
                       kPlain, kNoFooter);
}

void PrintedReport::matrixAttribution() {
    out_.Print_Block("Attribution:", kSubheadingPoints, kStateLevel, kPlain, footer(), kRule);
    const auto field = [&](const char* heading, const std::string& value) {
        out_.Print_Block(heading, kTextPoints, kStateLevel, kPlain, footer(), kNoRule);
        out_.Print_Wrapped(value, kStateLevel, kTextPoints, kBold, kNoHeading, footer());
    };
    field("--- Authors ---", matrix_.Authors);
    field("--- Project ---", matrix_.Assignment);
    field("--- Modified ---", matrix_.Modified);
    field("--- Sources ---", matrix_.Sources);
    field("--- Review Status ---", matrix_.Review);
    if (isPrintedText(matrix_.Distribution)) {
        field("--- Documentation ---", matrix_.Distribution);
    }
    out_.Print_Block("--- VRN Version " + reportVersionText() + " ---", kTextPoints, kStateLevel,
                     kPlain, footer(), kNoRule);
    endPage();
}

void PrintedReport::currentPractices(bool PrintDescription) {
    out_.Print_Block("--- Current Practices ---", kHeadingPoints, kHeadingLevel, kBold, kNoFooter,
                     kRule);
    stateListing(*matrix_.Existing(), true, PrintDescription);
    endPage();
}

void PrintedReport::allAlternatives(bool PrintDescription) {
    const int count = matrix_.Alt_count;
    out_.Print_Block(
        count == 1 ? std::string("--- Target Practices ---")
                   : "--- Target Practices --- " + std::to_string(count) + " Alternatives  ---",
        kHeadingPoints, kHeadingLevel, kBold, footer(), kRule);
    for (int i = 1; i <= count; ++i) {
        const auto& alternative = matrix_.Alternatives_col.Item(i);
        if (i > 1) {
            endPage();
        }
        if (count > 1) {
            out_.Print_Block(" Alternative " + std::to_string(i) + " of " + std::to_string(count),
                             kSubheadingPoints, kStateLevel, kBold, kNoFooter, kRule);
        }
        stateListing(*alternative, false, PrintDescription);
    }
    endPage();
}

// Each group of `state` under its number and name, and each of its practices under its number
// and name, followed by what `underPractice` prints for it.
template <class UnderPractice>
void PrintedReport::practiceHeadings(const VRN_State& state, UnderPractice underPractice) {
    int j = 0;
    for (const auto& group : state.PGroups) {
        out_.Print_Block("Practice Group " + std::to_string(++j) + ":", kLabelPoints, kGroupLevel,
                         kPlain, footer(), kRule);
        out_.Print_Segment(group->Name(), kGroupLevel, kTextPoints, kBold, footer());
        int k = 0;
        for (const auto& practice : group->PracticeParts) {
            out_.Print_Block("Practice " + std::to_string(++k) + ":", kLabelPoints, kPracticeLevel,
                             kPlain, footer(), kNoRule);
            out_.Print_Segment(practice->Name(), kPracticeLevel, kTextPoints, kBold, footer());
            underPractice(*practice);
        }
    }
}

void PrintedReport::stateListing(const VRN_State& state, bool existing, bool PrintDescription) {
    out_.Print_Segment(state.Name, kStateLevel, kSubheadingPoints, existing, footer());
    if (PrintDescription && isPrintedText(state.Description)) {
        out_.Print_Block("Description:", kLabelPoints, kGroupLevel, !existing, footer(), kNoRule);
        out_.Print_Wrapped(state.Description, kGroupLevel, kTextPoints, kPlain, kNoHeading,
                           footer());
    }
    practiceHeadings(state, [&](const VRN_Practice& practice) {
        if (PrintDescription && isPrintedText(practice.Description())) {
            out_.Print_Block("Description:", kLabelPoints, kPracticeDetailLevel, kPlain, footer(),
                             kNoRule);
            out_.Print_Wrapped(practice.Description(), kPracticeDetailLevel, kTextPoints, kPlain,
                               kNoHeading, footer());
        }
        if (PrintDescription && isPrintedText(practice.Discussion)) {
            out_.Print_Block("Discussion URL: " + practice.Discussion, kTextPoints,
                             kPracticeDetailLevel, kPlain, footer(), kNoRule);
        }
    });
}

void PrintedReport::currentPracticeInteractions(bool PrintDescription) {
    out_.Print_Block("--- Current Practice Interactions ---", kHeadingPoints, kHeadingLevel, kBold,
                     kNoFooter, kRule);
    interactionListing(matrix_.Existing()->Name, true, PrintDescription);
    endPage();
}

void PrintedReport::alternativePracticeInteractions(bool PrintDescription) {
    const int count = matrix_.Alt_count;
    out_.Print_Block(count == 1 ? std::string("--- Target Practice Interactions ---")
                                : "--- Target Practice Interactions: " + std::to_string(count) +
                                      " Alternatives  ---",
                     kHeadingPoints, kHeadingLevel, kBold, footer(), kRule);
    for (int i = 1; i <= count; ++i) {
        const auto& alternative = matrix_.Alternatives_col.Item(i);
        if (i > 1) {
            endPage();
        }
        if (count > 1) {
            out_.Print_Block(
                " Alternative Interactions " + std::to_string(i) + " of " + std::to_string(count),
                kSubheadingPoints, kStateLevel, kBold, kNoFooter, kRule);
        }
        interactionListing(alternative->Name, false, PrintDescription);
    }
    endPage();
}

// The existing state's groups and practices, each practice with its interactions. Under an
// alternative's name (not `existing`) the sizes are larger and blank values are listed.
void PrintedReport::interactionListing(const std::string& stateName, bool existing,
                                       bool PrintDescription) {
    out_.Print_Segment(stateName, kStateLevel, kSubheadingPoints, existing, footer());
    practiceHeadings(*matrix_.Existing(), [&](const VRN_Practice& practice) {
        interactionLines(practice, existing, PrintDescription);
    });
}

void PrintedReport::interactionLines(const VRN_Practice& practice, bool existing,
                                     bool PrintDescription) {
    const auto& interactions = practice.Interactions;
    for (auto at = interactions.begin(); at != interactions.end(); ++at) {
        PrefetchAhead(at, interactions.end(), [](const auto& item) { return item.get(); });
        const auto& interaction = *at;
        const std::string& value = interaction->Value();
        if (value.empty() || (existing && value == " ")) {
            continue;
        }
        const auto first = require(interaction->Practice1, "first practice");
        const auto other = first->Name() == practice.Name()
                               ? require(interaction->practice2, "second practice")
                               : first;
        line_.assign(value).append(" Interaction with: ").append(other->Name());
        out_.Print_Block(line_, existing ? kLabelPoints : kTextPoints, kPracticeDetailLevel,
                         existing, footer(), kNoRule);
        if (!PrintDescription) {
            continue;
        }
        const std::string description = interaction->Description();
        if (isPrintedText(description)) {
            out_.Print_Wrapped(description, kInteractionDetailLevel, kTextPoints, kPlain,
                               kNoHeading, footer());
        }
        const std::string discussion = interaction->Discussion();
        if (isPrintedText(discussion)) {
            out_.Print_Block("Discussion URL: " + discussion, kLabelPoints, kInteractionDetailLevel,
                             kPlain, footer(), kNoRule);
        }
    }
}

void PrintedReport::endPage() {
    out_.Print_Page_Footer(footer(), true);
}

}  // namespace vrn
