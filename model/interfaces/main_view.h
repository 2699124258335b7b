#pragma once

namespace vrn {

// The check marks of the main window's View menu that the model reads and a file sets.
enum class ViewMark {
    mnuViewTitle,
    mnuViewAttribution,
    mnuViewPracticeGroups,
    mnuViewImportance,
    mnuViewLegend,
    mnuViewColor,
    mnuViewAlternatives,
    mnuViewExisting,
    mnuViewSortButtons,
    mnuViewWeightedSort,
};

// The main window as the model sees it (`MainForm`): the View check marks and File > Save.
class MainView {
public:
    virtual ~MainView() = default;

    virtual bool Checked(ViewMark mark) const = 0;
    virtual void setChecked(ViewMark mark, bool checked) = 0;

    // mnuFileSave.Enabled: the layout turns saving off for a locked matrix.
    virtual bool mnuFileSaveEnabled() const = 0;
    virtual void setMnuFileSaveEnabled(bool enabled) = 0;
};

}  // namespace vrn
