#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vrn::layout {

// The two legend frames of the matrix window, in twips.
inline constexpr float kLegendFrameWidth = 2600;
inline constexpr float kInteractionLegendHeight = 1250;
inline constexpr float kImportanceLegendHeight = 1850;

// Label1(0) to Label1(5) sit in the interaction legend, the rest in the importance legend.
inline constexpr std::size_t kInteractionLegendLabels = 6;
inline constexpr std::size_t kLegendLabels = 16;

// One legend label: its text and its place inside its frame, in twips.
struct LegendLabel {
    std::string_view text;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// The legend labels Label1(0) to Label1(15) as the window is designed. Each row shows a symbol
// left of its meaning. The interaction legend lists its three meanings (0 to 2) before their
// symbols (3 to 5); the importance legend pairs each meaning (even) with its value (odd). The
// matrix drawing places the labels by this order.
constexpr std::array<LegendLabel, kLegendLabels> legendLabels() {
    constexpr float kSymbolLeft = 150;
    constexpr float kSymbolWidth = 400;
    constexpr float kMeaningLeft = 600;
    constexpr float kMeaningWidth = 1900;
    constexpr float kFirstRowTop = 300;
    constexpr float kRowHeight = 300;
    constexpr float kLabelHeight = 285;
    constexpr std::array<std::string_view, 3> kInteractionMeanings{"Reinforcing", "Interfering",
                                                                   "Open question"};
    constexpr std::array<std::string_view, 3> kInteractionSymbols{"+", "-", "?"};
    constexpr std::array<std::string_view, 10> kImportance{
        "Very important", "+2", "Important",     "+1", "Not rated", "",
        "Less important", "-1", "Not important", "-2"};

    std::array<LegendLabel, kLegendLabels> labels{};
    const auto meaning = [&](std::string_view text, std::size_t row) {
        return LegendLabel{text, kMeaningLeft, kFirstRowTop + kRowHeight * static_cast<float>(row),
                           kMeaningWidth, kLabelHeight};
    };
    const auto symbol = [&](std::string_view text, std::size_t row) {
        return LegendLabel{text, kSymbolLeft, kFirstRowTop + kRowHeight * static_cast<float>(row),
                           kSymbolWidth, kLabelHeight};
    };
    for (std::size_t row = 0; row < kInteractionMeanings.size(); ++row) {
        labels[row] = meaning(kInteractionMeanings[row], row);
        labels[row + kInteractionMeanings.size()] = symbol(kInteractionSymbols[row], row);
    }
    for (std::size_t i = 0; i < kImportance.size(); ++i) {
        const std::size_t row = i / 2;
        labels[kInteractionLegendLabels + i] =
            i % 2 == 0 ? meaning(kImportance[i], row) : symbol(kImportance[i], row);
    }
    return labels;
}

}  // namespace vrn::layout
