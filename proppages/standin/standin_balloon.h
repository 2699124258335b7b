#pragma once

#include "proppages/control_interfaces.h"
#include "proppages/standin/property_store.h"

#include <QWidget>

namespace vrn::pp {

// A balloon that stands in for the outside balloon control. It keeps every property the pages
// address and paints itself from a few: its text and alignment, shape, rounding, border width,
// tail, position and drop shadow.
class StandInBalloon : public QWidget, public ControlProperties, public SelectedObject {
    Q_OBJECT
public:
    explicit StandInBalloon(QWidget* parent = nullptr);

    PropertyValue get(int getterSlot) override;
    void set(int setterSlot, const PropertyValue& value) override;
    QWidget* window(int getterSlot) override {
        return getterSlot == kBalloonWindowSlot ? this : nullptr;
    }
    ControlProperties* QueryInterface(const QUuid& iid) override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PropertyStore store_;
};

}  // namespace vrn::pp
