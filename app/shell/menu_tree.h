#pragma once

#include <QHash>
#include <QString>

#include <span>

class QAction;
class QMenu;
class QMenuBar;

namespace vrn {

// One entry of the main window's menu design: a top menu (no parent), a submenu or an item.
// A caption "-" makes a separator. Items of a control array carry their index, others -1.
struct MenuItemDesign {
    enum Flag : unsigned {
        kCheckable = 1,
        kChecked = 2 | kCheckable,
        kHidden = 4,
        kDisabled = 8,
        kSubmenu = 16,
    };

    const char* parent;  // the menu it stands in; null for a top menu
    const char* name;
    int index;
    const char* caption;
    const char* shortcut;  // "Ctrl+N"; null for none
    unsigned flags;
};

// The menus of the main window as designed, built once on its menu bar. Every menu and item
// carries its design name as objectName; an item of a control array also carries its index in
// the property "Index".
class MenuTree {
public:
    explicit MenuTree(QMenuBar& bar);

    // The item or menu by its design name (and index). The program looks up only names of its
    // design, so any other is a fault: it throws std::out_of_range naming it.
    QAction* item(const QString& name, int index = -1) const;
    QMenu* menu(const QString& name) const;
    bool hasItem(const QString& name, int index = -1) const;
    bool hasMenu(const QString& name) const;

    static std::span<const MenuItemDesign> design();
    static QString key(const QString& name, int index);

private:
    QHash<QString, QAction*> items_;
    QHash<QString, QMenu*> menus_;
};

}  // namespace vrn
