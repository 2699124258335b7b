#pragma once

#include <cstdint>
#include <iterator>

#include "model/interfaces/main_view.h"
#include "model/interfaces/matrix_window.h"
#include "model/model_fwd.h"

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

// The header's window records: the window's size and the View marks. A read applies them only
// once the whole file has been read.
struct WindowSettings {
    std::int32_t height = 0;
    std::int32_t width = 0;
    bool marks[std::size(kStoredViewMarks)] = {};

    // Either may be null.
    void ApplyTo(MatrixWindow* window, MainView* mainWindow) const;
};

// Reads the version 3 header after the "Version" record: the attribution into `document`, the
// window records into `settings`.
void ReadMatrixHeader(MatrixFileReader& file, VRN_Matrix& document, WindowSettings& settings);

}  // namespace vrn
