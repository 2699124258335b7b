#pragma once

#include <QIcon>
#include <QString>

namespace vrn {

// The picture of the main toolbar's button with this key ("New", "Open", ... "FontDown"), drawn
// by the program itself; an unknown key gives an empty icon.
QIcon toolbarIcon(const QString& key);

}  // namespace vrn
