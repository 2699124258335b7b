#pragma once

// Sections and keys of the user's preferences in the settings store.
namespace vrn::prefkey {

inline constexpr char kVrnSettings[] = "VRNSettings";
inline constexpr char kColors[] = "Colors";
inline constexpr char kDirectories[] = "Directories";

// Main window rectangle, twips.
inline constexpr char kMainLeft[] = "MainLeft";
inline constexpr char kMainTop[] = "MainTop";
inline constexpr char kMainWidth[] = "MainWidth";
inline constexpr char kMainHeight[] = "MainHeight";

inline constexpr char kPracticeGroupHeight[] = "PracticeGroupHeight";
inline constexpr char kPracticeGroupWidth[] = "PracticeGroupWidth";
inline constexpr char kPracticeHeight[] = "PracticeHeight";
inline constexpr char kPracticeWidth[] = "PracticeWidth";
inline constexpr char kDeltaUpdown[] = "Delta_updown";
inline constexpr char kDefPracticeGroupHeight[] = "Def_PracticeGroupHeight";
inline constexpr char kDefPracticeHeight[] = "Def_PracticeHeight";
inline constexpr char kDefPracticeWidth[] = "Def_PracticeWidth";
inline constexpr char kDefNumAlternatives[] = "Def_num_alternatives";
inline constexpr char kDefPracticeFontSize[] = "Def_PracticeFontSize";
// "Color_0" .. "Color_4" in section "Colors".
inline constexpr char kColorPrefix[] = "Color_";
inline constexpr char kHighlightColor[] = "HighlightColor";
inline constexpr char kPracticeColor[] = "PracticeColor";
inline constexpr char kActivityColor[] = "ActivityColor";
inline constexpr char kPracticeEntityColor[] = "PracticeEntityColor";
inline constexpr char kInteractionColor[] = "InteractionColor";
inline constexpr char kBlankColor[] = "BlankColor";
inline constexpr char kVisioTemplatePath[] = "VisioTemplatePath";
inline constexpr char kBrowserPath[] = "BrowserPath";  // section "Directories"
inline constexpr char kHtmlPath[] = "HtmlPath";
inline constexpr char kHtmlURL[] = "HtmlURL";
inline constexpr char kShowNoSponsor[] = "Show_No_Sponsor";

}  // namespace vrn::prefkey
