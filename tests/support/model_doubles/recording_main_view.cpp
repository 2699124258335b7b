#include "tests/support/model_doubles/recording_main_view.h"

namespace vrn::testing {

RecordingMainView::RecordingMainView() {
    for (ViewMark mark : {ViewMark::mnuViewTitle, ViewMark::mnuViewLegend,
                          ViewMark::mnuViewPracticeGroups, ViewMark::mnuViewAlternatives,
                          ViewMark::mnuViewExisting, ViewMark::mnuViewWeightedSort}) {
        setChecked(mark, true);
    }
}

}  // namespace vrn::testing
