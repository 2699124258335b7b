#pragma once

#include <QString>
#include <QUuid>
#include <QtGlobal>

#include <variant>

class QWidget;

namespace vrn::pp {

// One property value as it crosses between a page and a control. The alternative follows the
// value kind: 16-bit integers for check boxes and integer fields, 32-bit integers for lists and
// long fields, floats and texts.
using PropertyValue = std::variant<qint16, qint32, float, QString>;

// The properties of a control, addressed by the position of their getter in the control's
// table of members; the setter of a property sits at the getter's position + 1. A page ignores
// what a setter makes of a value, as it ignores whether a getter succeeded.
class ControlProperties {
public:
    virtual ~ControlProperties() = default;
    virtual PropertyValue get(int getterSlot) = 0;
    virtual void set(int setterSlot, const PropertyValue& value) = 0;
    // The control's window by the slot of its getter, which a page repaints after writing into
    // the control (null when it has none).
    virtual QWidget* window(int getterSlot) = 0;
};

// The button control's and the balloon control's interfaces, with the getter slot of their
// window handle.
inline const QUuid kIID_IButtonControl{"{3DFEC5B0-029C-11D1-8D8E-0000C004958C}"};
inline const QUuid kIID_IBalloonControl{"{2EEB2311-5B84-11D1-8918-0020AF131A57}"};
constexpr int kButtonWindowSlot = 20;
constexpr int kBalloonWindowSlot = 11;

// An object the user selected in the development environment. It answers for the interfaces it
// offers and gives nothing for the others; the reference stays valid while the object lives.
class SelectedObject {
public:
    virtual ~SelectedObject() = default;
    virtual ControlProperties* QueryInterface(const QUuid& iid) = 0;
};

// Reading a value as the kind a page field needs, whatever alternative the control handed back.
qint16 toShort(const PropertyValue& value);
qint32 toLong(const PropertyValue& value);
float toFloat(const PropertyValue& value);
QString toText(const PropertyValue& value);

}  // namespace vrn::pp
