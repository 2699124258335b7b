#pragma once

#include "proppages/table_page.h"

namespace vrn::pp {

// The button's Cells page: the cell count, the current cell (-1: the defaults of all cells) and
// that cell's fields. The count and the index take effect at once through their own buttons;
// the cell's fields wait for Apply.
class CBtnCellsPropPage : public TablePage {
    Q_OBJECT
public:
    // Control IDs of the count and index fields and their buttons.
    static constexpr int kCount = 1000;
    static constexpr int kIndex = 201;
    static constexpr int kApplyIndex = 211;
    static constexpr int kApplyCount = 212;
    static constexpr int kUseDefault = 1046;

    CBtnCellsPropPage();

    void OnChangeCellCount();
    void OnChangeCellIndex();
    void OnApplyCount();
    void OnApplyIndex();

protected:
    void InitControls() override;
    void applyToControls() override;
    QList<int> changeControlIds() const override;
    void connectCommands() override;
    bool hasPendingEdits() const override;
    bool reloadsWhenShown() const override { return true; }

private:
    void enablePerCell(bool enable, bool withThreeDText);
    void showThreeDText(ControlProperties* first, qint16 index, bool enableUseDefault);
};

}  // namespace vrn::pp
