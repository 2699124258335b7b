#pragma once

#include <QString>

class QAction;
class QMenu;

namespace vrn {

// A user's text (an alternative's name, a window's caption) as the item of `menu` shows it: every
// character as typed after `prefix` (which may mark a shortcut key), and no wider than a user's
// text may show on the menu's screen. A shortened text ends in "…" and shows whole in the item's
// tool tip, so that a long name never makes the menu wider than the screen.
void showInMenuItem(QAction& item, const QMenu& menu, const QString& text,
                    const QString& prefix = {});

}  // namespace vrn
