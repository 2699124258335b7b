#include "model/reports/word_report.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_version.h"
#include "model/model_error.h"
#include "model/reports/report_prefetch.h"
#include "model/truth_values.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

constexpr const char* kRuleLine = "_____________________________________________";
// Texts shorter than this are left out as placeholders.
constexpr std::size_t kMinimumTextLength = 3;
constexpr const char* kHighlightLabel = "4.2";
constexpr const char* kLostPractice = "An interaction of the report has lost one of its practices.";

constexpr int kHeadingSize = 16;
constexpr int kTitleSize = 14;
constexpr int kNameSize = 12;
constexpr int kLabelSize = 10;
constexpr int kRuleSize = 10;

// Characters, not bytes: the model holds UTF-8.
std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

bool Substantial(std::string_view text) {
    return CharacterCount(text) >= kMinimumTextLength;
}

// "major.minor.revision" of the component; parts it does not name are 0.
std::string VersionText() {
    std::array<int, 3> parts{};
    std::size_t part = 0;
    for (const char c : componentVersion()) {
        if (c == '.') {
            if (++part == parts.size()) {
                break;
            }
        } else if (c >= '0' && c <= '9') {
            parts[part] = parts[part] * 10 + (c - '0');
        }
    }
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
           std::to_string(parts[2]);
}

std::shared_ptr<VRN_Practice> Required(const std::weak_ptr<VRN_Practice>& practice) {
    auto held = practice.lock();
    if (!held) {
        throw ModelError(kLostPractice);
    }
    return held;
}

// The two sides of an interaction as seen from the listed practice (names are compared).
struct Sides {
    std::string own;
    std::string other;
};

Sides SidesOf(const VRN_MatrixInteraction& interaction, const VRN_Practice& listed) {
    const auto first = Required(interaction.Practice1);
    const auto second = Required(interaction.practice2);
    if (first->Name() == listed.Name()) {
        return {first->Name(), second->Name()};
    }
    return {second->Name(), first->Name()};
}

// The other side's name alone, as the listing needs it; none when that practice is lost. The
// second practice is looked up only when the first one is the listed practice.
const std::string* OtherName(const VRN_MatrixInteraction& interaction, const VRN_Practice& listed) {
    const auto first = interaction.Practice1.lock();
    if (first && first->Name() != listed.Name()) {
        return &first->Name();
    }
    const auto second = first ? interaction.practice2.lock() : nullptr;
    return second ? &second->Name() : nullptr;
}

// Whether a state's lines are those of the existing state or of an alternative.
enum class Side { Existing, Alternative };

// An interaction with a value as a practice lists it, with the name of its other practice (none
// when that practice is lost). The document stays as it is while the report is made.
struct Listed {
    const VRN_MatrixInteraction* interaction;
    const std::string* otherName;
};

// The listed interactions of each practice of a state, practice by practice in listing order.
// Every alternative's listing repeats the existing state's, so a segment looks them up once
// instead of walking every practice's interactions again for each alternative.
using ListedInteractions = std::vector<std::vector<Listed>>;

ListedInteractions InteractionsWithValues(const VRN_State& state) {
    ListedInteractions listed;
    for (const auto& group : state.PGroups) {
        for (const auto& practice : group->PracticeParts) {
            auto& own = listed.emplace_back();
            const auto& interactions = practice->Interactions;
            for (auto at = interactions.begin(); at != interactions.end(); ++at) {
                PrefetchAhead(at, interactions.end(), [](const auto& item) { return item.get(); });
                const VRN_MatrixInteraction& interaction = **at;
                if (!interaction.Value().empty()) {
                    own.push_back({&interaction, OtherName(interaction, *practice)});
                }
            }
        }
    }
    return listed;
}

// While it lives, the paragraphs written keep with the one after them on one page (unless
// `heads` is false): a heading never ends a page without the first line or table it heads.
class HeadingLines {
public:
    explicit HeadingLines(WordDocumentWriter& word, bool heads = true) : word_(word) {
        word_.setKeepWithNext(heads);
    }
    ~HeadingLines() { word_.setKeepWithNext(false); }
    HeadingLines(const HeadingLines&) = delete;
    HeadingLines& operator=(const HeadingLines&) = delete;

private:
    WordDocumentWriter& word_;
};

// Whether a practice's interaction listing writes any line.
bool ListsAnyLine(const std::vector<Listed>& interactions, Side side) {
    return side == Side::Alternative ||
           std::any_of(interactions.begin(), interactions.end(),
                       [](const Listed& item) { return item.interaction->Value() != " "; });
}

class WordSegments {
public:
    WordSegments(VRN_Matrix& matrix, WordDocumentWriter& word, bool printDescription)
        : matrix_(matrix), word_(word), printDescription_(printDescription) {}

    // False when `segment` names no segment.
    bool Write(const std::string& segment) {
        if (segment == "MatrixName") {
            MatrixName();
        } else if (segment == "MatrixDescription") {
            MatrixDescription();
        } else if (segment == "MatrixMetaData") {
            MatrixMetaData();
        } else if (segment == "MatrixAttribution") {
            MatrixAttribution();
        } else if (segment == "MatrixAllAlternatives") {
            MatrixAllAlternatives();
        } else if (segment == "CurrentPractices") {
            CurrentPractices();
        } else if (segment == "CurrentPracticeInteractions") {
            CurrentInteractions(false);
        } else if (segment == "AlternativePracticeInteractions") {
            AlternativeInteractions(false);
        } else if (segment == "CurrentPracticeInteractionsHighlighted") {
            CurrentInteractions(true);
        } else if (segment == "AlternativePracticeInteractionsHighlighted") {
            AlternativeInteractions(true);
        } else {
            return false;
        }
        return true;
    }

private:
    void MatrixName() { Heading(matrix_.title, kHeadingSize, 0, true, false); }

    void MatrixDescription() {
        Heading(" Description: ", kTitleSize, 1, false, true);
        word_.Word_SizedText(matrix_.alternative()->Description, 1, kTitleSize, true);
    }

    void MatrixMetaData() {
        Heading(" Software Version: ", kTitleSize, 0, true, false);
        word_.Word_Paragraph(" --- V " + VersionText() + " -----   ", 1, kNameSize, false);
    }

    void MatrixAttribution() {
        word_.Word_TypeParagraph();
        Heading("Attribution:", kTitleSize, 1, false, true);
        const auto entry = [this](const std::string& heading, const std::string& value) {
            Heading(heading, kNameSize, 1, false, false);
            word_.Word_SizedText(value, 1, kNameSize, true);
        };
        entry("--- Authors ---", matrix_.Authors);
        entry("--- Project ---", matrix_.Assignment);
        entry("--- Modified ---", matrix_.Modified);
        entry("--- Sources ---", matrix_.Sources);
        entry("--- Review Status ---", matrix_.Review);
        if (Substantial(matrix_.Distribution)) {
            entry("--- Documentation ---", matrix_.Distribution);
        }
        word_.Word_Section("--- VRN Version " + VersionText() + " ---", kNameSize, 1, false, false);
        word_.Word_PageBreak();
    }

    // A heading line (Word_Section) that keeps with what follows it.
    void Heading(const std::string& text, int size, int indent, bool bold, bool extra) {
        const HeadingLines heading(word_);
        word_.Word_Section(text, size, indent, bold, extra);
    }

    void CurrentPractices() {
        Heading("--- Current Practices ---", kHeadingSize, 0, true, true);
        StateListing(*matrix_.Existing(), Side::Existing);
        word_.Word_PageBreak();
    }

    void MatrixAllAlternatives() {
        const int n = matrix_.Alt_count;
        Heading(n == 1 ? std::string("--- Target Practices ---")
                       : "--- Target Practices --- " + std::to_string(n) + " Alternatives  ---",
                kHeadingSize, 0, true, true);
        for (int i = 1; i <= n; ++i) {
            const auto state = matrix_.Alternatives_col.Item(i);
            if (i > 1) {
                word_.Word_PageBreak();
            }
            {
                const HeadingLines heading(word_);
                if (n > 1) {
                    word_.Word_Section(
                        " Alternative " + std::to_string(i) + " of " + std::to_string(n),
                        kTitleSize, 1, true, true);
                }
                word_.Word_TypeParagraph();
            }
            StateListing(*state, Side::Alternative);
        }
        word_.Word_PageBreak();
    }

    void CurrentInteractions(bool highlighted) {
        std::shared_ptr<VRN_State> existing;
        {
            const HeadingLines heading(word_);
            word_.Word_Section(highlighted ? "--- Current Practice Interactions Highlighted ---"
                                           : "--- Current Practice Interactions ---",
                               kHeadingSize, 0, true, true);
            existing = matrix_.Existing();
            word_.Word_Paragraph(existing->Name, 1, kTitleSize, true);
        }
        GroupInteractions(*existing, InteractionsWithValues(*existing), Side::Existing,
                          highlighted);
        word_.Word_PageBreak();
    }

    void AlternativeInteractions(bool highlighted) {
        const int n = matrix_.Alt_count;
        const std::string heading = highlighted ? "--- Target Practice Interactions Highlighted"
                                                : "--- Target Practice Interactions";
        Heading(
            n == 1 ? heading + " ---" : heading + ": " + std::to_string(n) + " Alternatives  ---",
            kHeadingSize, 0, true, true);
        const auto existing = matrix_.Existing();
        const ListedInteractions listed = InteractionsWithValues(*existing);
        for (int i = 1; i <= n; ++i) {
            const auto state = matrix_.Alternatives_col.Item(i);
            if (i > 1) {
                word_.Word_PageBreak();
            }
            {
                const HeadingLines headingLines(word_);
                if (n > 1) {
                    word_.Word_Section(" Alternative Interactions " + std::to_string(i) + " of " +
                                           std::to_string(n),
                                       kTitleSize, 1, true, true);
                }
                word_.Word_TypeParagraph();
                word_.Word_Paragraph(state->Name, 1, kTitleSize, false);
            }
            GroupInteractions(*existing, listed, Side::Alternative, highlighted);
        }
        word_.Word_PageBreak();
    }

    // The state's name, its description, and every group and practice with their descriptions.
    void StateListing(const VRN_State& state, Side side) {
        const bool existing = side == Side::Existing;
        {
            const HeadingLines heading(word_);
            word_.Word_Paragraph(state.Name, 1, kTitleSize, existing);
        }
        if (printDescription_ && Substantial(state.Description)) {
            Heading("Description:", kLabelSize, 2, !existing, false);
            word_.Word_SizedText(state.Description, 2, kNameSize, false);
        }
        int j = 0;
        for (const auto& group : state.PGroups) {
            GroupHeading(*group, ++j);
            int k = 0;
            for (const auto& practice : group->PracticeParts) {
                const std::string& description = practice->Description();
                const bool described = printDescription_ && Substantial(description);
                const bool discussed = printDescription_ && Substantial(practice->Discussion);
                // The name heads the lines below it, when there are any.
                PracticeHeading(*practice, ++k, described || discussed);
                if (described) {
                    Heading("Description:", kLabelSize, 4, false, false);
                    word_.Word_SizedText(description, 4, kNameSize, false);
                }
                if (discussed) {
                    word_.Word_Section("Discussion URL: " + practice->Discussion, kNameSize, 4,
                                       false, false);
                }
            }
        }
    }

    // The groups and practices of `state` with the interactions of each practice: listed under
    // its heading, or as highlighted tables under the group's heading.
    void GroupInteractions(const VRN_State& state, const ListedInteractions& listed, Side side,
                           bool highlighted) {
        std::size_t p = 0;
        int j = 0;
        for (const auto& group : state.PGroups) {
            GroupHeading(*group, ++j);
            int k = 0;
            for (const auto& practice : group->PracticeParts) {
                const auto& interactions = listed.at(p++);
                if (highlighted) {
                    HighlightedInteractions(*practice, interactions);
                } else {
                    PracticeHeading(*practice, ++k, ListsAnyLine(interactions, side));
                    InteractionListing(interactions, side);
                }
            }
        }
    }

    void GroupHeading(const VRN_PracticeGroup& group, int j) {
        const HeadingLines heading(word_);
        word_.Word_Section("Practice Group " + std::to_string(j) + ":", kLabelSize, 2, false, true);
        word_.Word_Paragraph(group.Name(), 2, kNameSize, true);
    }

    // "Practice k:" heads the practice's name; the name heads what follows it when `headsLines`.
    void PracticeHeading(const VRN_Practice& practice, int k, bool headsLines) {
        Heading("Practice " + std::to_string(k) + ":", kLabelSize, 3, false, false);
        const HeadingLines name(word_, headsLines);
        word_.Word_Paragraph(practice.Name(), 3, kNameSize, true);
    }

    void InteractionListing(const std::vector<Listed>& interactions, Side side) {
        const bool existing = side == Side::Existing;
        for (auto at = interactions.begin(); at != interactions.end(); ++at) {
            PrefetchAhead(at, interactions.end(),
                          [](const Listed& item) { return item.interaction; });
            const auto& [interaction, otherName] = *at;
            const std::string& value = interaction->Value();
            if (existing && value == " ") {
                continue;
            }
            if (otherName == nullptr) {
                throw ModelError(kLostPractice);
            }
            line_.assign(value).append(" Interaction with: ").append(*otherName);
            const std::string description = interaction->Description();
            const std::string discussion = interaction->Discussion();
            const bool described = printDescription_ && Substantial(description);
            const bool discussed = printDescription_ && Substantial(discussion);
            {
                // The line heads its description and discussion, when they are written.
                const HeadingLines heading(word_, described || discussed);
                word_.Word_Section(line_, existing ? kLabelSize : kNameSize, 4, existing, false);
            }
            if (described) {
                word_.Word_SizedText(description, 5, kNameSize, false);
            }
            if (discussed) {
                word_.Word_Section("Discussion URL: " + discussion, kLabelSize, 5, false, false);
            }
        }
    }

    // Every interaction with a value and a description, whatever PrintDescription says.
    void HighlightedInteractions(const VRN_Practice& practice,
                                 const std::vector<Listed>& interactions) {
        for (auto at = interactions.begin(); at != interactions.end(); ++at) {
            PrefetchAhead(at, interactions.end(),
                          [](const Listed& item) { return item.interaction; });
            const VRN_MatrixInteraction& interaction = *at->interaction;
            const std::string& value = interaction.Value();
            if (value == " ") {
                continue;
            }
            const std::string description = interaction.Description();
            if (!Substantial(description)) {
                continue;
            }
            const Sides sides = SidesOf(interaction, practice);
            word_.Word_TableRow(kHighlightLabel, interaction.Note(), value,
                                static_cast<float>(interaction.color), sides.own, sides.other,
                                description);
        }
    }

    VRN_Matrix& matrix_;
    WordDocumentWriter& word_;
    bool printDescription_;
    std::string line_;  // the interaction line being written, reused
};

}  // namespace

void WordReport_Segment(VRN_Matrix& matrix, WordDocumentWriter& word, const std::string& segment,
                        bool PrintDescription) {
    bool known = true;
    try {
        known = WordSegments(matrix, word, PrintDescription).Write(segment);
    } catch (const ModelError&) {
        // A failing read of the model ends the segment; what it wrote stays.
    } catch (const CollectionIndexError&) {
    }
    if (!known) {
        matrix.Context.MsgBox("unrecognized segment name: " + segment);
    }
}

void Export_Word(VRN_Matrix& matrix, WordDocumentWriter& word, const std::string& myfilename,
                 std::string_view matrixPicture) {
    word.Word_NewDocument(matrix.title, matrix.footer);
    word.Word_Paragraph(kRuleLine, 0, kRuleSize, true);
    if (matrix.rpt_MatrixImage != 0 && !matrixPicture.empty()) {
        word.Word_PastePicture(matrixPicture);
        word.Word_TypeParagraph();
    }

    const auto segment = [&](std::int16_t flag, const char* name, bool printDescription) {
        if (flag != 0) {
            WordReport_Segment(matrix, word, name, printDescription);
        }
    };
    segment(matrix.rpt_MatrixDescription, "MatrixDescription", false);
    segment(matrix.rpt_MatrixAttribution, "MatrixAttribution", false);
    segment(matrix.rpt_CurrentPractices, "CurrentPractices",
            matrix.rpt_CurrentPracticeDescriptions == kTrue);
    const bool interactionDescriptions = matrix.rpt_InteractionDescriptions == kTrue;
    segment(matrix.rpt_CurrentPracticeInteractions, "CurrentPracticeInteractions",
            interactionDescriptions);
    segment(matrix.rpt_CurrentPracticeInteractions, "CurrentPracticeInteractionsHighlighted",
            interactionDescriptions);
    segment(matrix.rpt_IncludeHiddenAlternatives, "MatrixAllAlternatives",
            matrix.rpt_TargetPracticeDescriptions == kTrue);
    segment(matrix.rpt_TargetPracticeInteractions, "AlternativePracticeInteractions",
            interactionDescriptions);

    word.Word_SaveAndClose(myfilename);
}

}  // namespace vrn
