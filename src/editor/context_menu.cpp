#include "editor/context_menu.h"

#include "editor/editor_commands.h"

namespace {

constexpr int available = EditorCommands::Enabled;
constexpr int greyed = 2;

int stateOf(int status) {
    return status < available ? greyed : 0;
}

} // namespace

ContextMenu::Layout ContextMenu::build(const Statuses &s) {
    Layout layout;
    layout.canPosition = s.makeAbsolute >= available;
    layout.isPositioned = s.sendToBack >= available;
    layout.inTable = s.insertRow >= available;
    layout.positioningCount = layout.canPosition ? 2 : 0;
    layout.tableCount = layout.inTable ? 11 : 0;

    auto add = [&layout](const char *text, int state) {
        layout.items << QString::fromLatin1(text);
        layout.states << state;
    };
    add("Cut", stateOf(s.cut));
    add("Copy", stateOf(s.copy));
    add("Paste", stateOf(s.paste));
    add("", 0);
    add("Select All", stateOf(s.selectAll));
    add("", 0);
    add("Font...", stateOf(s.font));
    if (layout.canPosition) {
        add("", 0);
        add(layout.isPositioned ? "Make 1D" : "Make 2D", 0);
    }
    if (layout.inTable) {
        const int cell = s.cellPropertiesAvailable ? 0 : greyed;
        add("", 0);
        add("Insert Row", 0);
        add("Insert Column", 0);
        add("", 0);
        add("Delete Row", 0);
        add("Delete Column", 0);
        add("", 0);
        add("Cell Properties", cell);
        add("Row Properties", cell);
        add("Column Properties", cell);
        add("Table Properties", s.tablePropertiesAvailable ? 0 : greyed);
    }
    return layout;
}

ContextMenu::Action ContextMenu::actionAt(const Layout &layout, int i) {
    using namespace EditorCommands;
    switch (i) {
    case 0:
        return {Cut, 0};
    case 1:
        return {Copy, 0};
    case 2:
        return {Paste, 0};
    case 4:
        return {SelectAll, 0};
    case 6:
        return {FontDialog, 1};
    default:
        break;
    }
    if (layout.canPosition && i == 8)
        return {MakeAbsolute, 0};
    if (!layout.inTable)
        return {};
    const int b = layout.baseCount + layout.positioningCount;
    switch (i - b) {
    case 2:
        return {InsertRow, 0};
    case 3:
        return {InsertColumn, 0};
    case 5:
        return {DeleteRows, 0};
    case 6:
        return {DeleteColumns, 0};
    case 8:
        return {0, 0, 1, 0};
    case 9:
        return {0, 0, 1, 1};
    case 10:
        return {0, 0, 1, 2};
    case 11:
        return {0, 0, 2, 0};
    default:
        return {};
    }
}
