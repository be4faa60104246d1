#pragma once

#include <QList>
#include <QStringList>

// The editor's context menu: which entries it shows, and what the entry picked means. Pure
// rules over the statuses of the commands involved.
namespace ContextMenu {

// What the menu is built from: the statuses of the commands the entries stand for, and
// whether the property dialogs exist yet.
struct Statuses {
    int cut = 0, copy = 0, paste = 0, selectAll = 0, font = 0;
    int makeAbsolute = 0; // available: the selection can be positioned
    int sendToBack = 0;   // available: it is positioned already
    int insertRow = 0;    // available: the selection is inside a table
    bool cellPropertiesAvailable = false;
    bool tablePropertiesAvailable = false;
};

// The menu as built, and the flags and counts that say what each index means.
struct Layout {
    QStringList items;
    QList<int> states; // 0 enabled, 2 greyed
    bool canPosition = false;
    bool isPositioned = false;
    bool inTable = false;
    int baseCount = 6;
    int positioningCount = 0;
    int tableCount = 0;
};
Layout build(const Statuses &statuses);

// What picking the entry at `index` does: run `command` with option `option`, or open a
// property dialog (1 cell, with `scope` 0 cell, 1 row, 2 column; 2 table), or nothing.
struct Action {
    int command = 0;
    int option = 0;
    int propertyDialog = 0;
    int scope = 0;
};
Action actionAt(const Layout &layout, int index);

} // namespace ContextMenu
