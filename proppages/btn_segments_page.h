#pragma once

#include "proppages/table_page.h"

namespace vrn::pp {

// The button's Segments page: a cell chosen from the list, its segment count, the current
// segment and that segment's fields. The page works with the button's segment editing switched
// on and leaves each button's current cell and switch as it found them.
class CBtnSegmentsPropPage : public TablePage {
    Q_OBJECT
public:
    static constexpr int kCellList = 1048;
    static constexpr int kCount = 1047;
    static constexpr int kIndex = 202;
    static constexpr int kApplyIndex = 213;
    static constexpr int kApplyCount = 214;

    CBtnSegmentsPropPage();

    void OnSelChangeCell();
    void OnChangeSegmentCount();
    void OnChangeSegmentIndex();
    void OnApplyCount();
    void OnApplyIndex();

protected:
    void InitControls() override;
    void applyToControls() override;
    QList<int> changeControlIds() const override;
    void connectCommands() override;
    bool hasPendingEdits() const override;

private:
    void enablePerSegment(bool enable);
    qint16 chosenCell();
};

}  // namespace vrn::pp
