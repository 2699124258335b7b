#include "app/common/menu_item_text.h"

#include <QAction>
#include <QFontMetricsF>
#include <QMenu>

#include "app/common/literal_text.h"
#include "platform/user_text.h"

namespace vrn {

void showInMenuItem(QAction& item, const QMenu& menu, const QString& text, const QString& prefix) {
    const QFontMetricsF metrics(menu.font());
    const QString shown = elidedLine(metrics, text, userTextRoom(metrics, menu.screen()).width);
    item.setText(prefix + literalAmpersands(shown));
    item.setToolTip(shown == text ? QString() : plainToolTip(text, menu.screen()));
}

}  // namespace vrn
