#pragma once

#include "proppages/prop_page_base.h"

#include <QString>
#include <QUuid>

#include <functional>
#include <memory>
#include <vector>

namespace vrn::pp {

// A page class a frame can create by its class identifier.
struct PageClass {
    QUuid clsid;
    QString progIdStem;
    QString description;
    std::function<std::unique_ptr<CzvPropPageBase>()> create;
};

// The ten page classes: the button's General, Appearance, Margins, Cells and Segments pages,
// then the balloon's General, Appearance, Position, Tail and Text pages.
const std::vector<PageClass>& PageClasses();

// A new page of the class, or null for a class identifier no page has.
std::unique_ptr<CzvPropPageBase> CreatePage(const QUuid& clsid);

}  // namespace vrn::pp
