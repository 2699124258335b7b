#pragma once

#include "proppages/control_interfaces.h"
#include "proppages/standin/property_store.h"

#include <QWidget>

namespace vrn::pp {

// A button that stands in for the outside button control. It keeps every property the pages
// address, per cell, per segment or per margin set where the button has them, and paints
// itself from a few: each cell's text and alignment, whether it is enabled, its back style and
// its drop shadow.
class StandInButton : public QWidget, public ControlProperties, public SelectedObject {
    Q_OBJECT
public:
    explicit StandInButton(QWidget* parent = nullptr);

    PropertyValue get(int getterSlot) override;
    void set(int setterSlot, const PropertyValue& value) override;
    QWidget* window(int getterSlot) override {
        return getterSlot == kButtonWindowSlot ? this : nullptr;
    }
    ControlProperties* QueryInterface(const QUuid& iid) override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PropertyStore::Scope scopeOf(int getterSlot) const;
    PropertyValue cellValue(int getterSlot, int cell) const;

    PropertyStore store_;
};

}  // namespace vrn::pp
