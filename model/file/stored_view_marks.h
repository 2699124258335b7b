#pragma once

#include "model/interfaces/main_view.h"

namespace vrn {

// The View marks a matrix file stores, in file order, with the values written for a document
// without a window.
struct StoredViewMark {
    const char* tag;
    ViewMark mark;
    bool withoutWindow;
};

inline constexpr StoredViewMark kStoredViewMarks[] = {
    {"ViewTitle", ViewMark::mnuViewTitle, true},
    {"ViewAttribution", ViewMark::mnuViewAttribution, false},
    {"ViewPracticeGroups", ViewMark::mnuViewPracticeGroups, true},
    {"ViewImportance", ViewMark::mnuViewImportance, false},
    {"ViewLegend", ViewMark::mnuViewLegend, true},
    {"ViewColor", ViewMark::mnuViewColor, true},
};

}  // namespace vrn
