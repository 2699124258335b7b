#pragma once

#include "proppages/table_page.h"

namespace vrn::pp {

// The five pages of the balloon control, each driven by its table.
class CBlnGeneralPropPage : public TablePage {
    Q_OBJECT
public:
    CBlnGeneralPropPage();
};

class CBlnAppearancePropPage : public TablePage {
    Q_OBJECT
public:
    CBlnAppearancePropPage();
};

class CBlnPositionPropPage : public TablePage {
    Q_OBJECT
public:
    CBlnPositionPropPage();
};

class CBlnTailPropPage : public TablePage {
    Q_OBJECT
public:
    CBlnTailPropPage();
};

class CBlnTextPropPage : public TablePage {
    Q_OBJECT
public:
    CBlnTextPropPage();
};

}  // namespace vrn::pp
