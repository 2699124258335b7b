#pragma once

#include "proppages/table_page.h"

namespace vrn::pp {

// The button's General page: type, group, back style, behaviour and automatic size.
class CBtnGeneralPropPage : public TablePage {
    Q_OBJECT
public:
    CBtnGeneralPropPage();
};

// The button's Appearance page: pictures and the drop shadow.
class CBtnAppearancePropPage : public TablePage {
    Q_OBJECT
public:
    CBtnAppearancePropPage();
};

// The button's Margins page: the text margins and the picture margins, which the button keeps
// behind one selector; the page puts the selector back as it found it.
class CBtnMarginsPropPage : public TablePage {
    Q_OBJECT
public:
    static constexpr int kMarginSetSlot = 181;
    static constexpr qint16 kTextMargins = 1;
    static constexpr qint16 kPictureMargins = 2;

    CBtnMarginsPropPage();

protected:
    void InitControls() override;
    void applyToControls() override;
};

}  // namespace vrn::pp
