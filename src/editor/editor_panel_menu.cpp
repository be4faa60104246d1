// The editor panel's context menu: built from the surface's statuses when the user asks for it;
// its property dialogs are asked for once it has closed.
#include "editor/editor_panel.h"

#include "editor/editing_surface.h"

#include <QTimer>

#include <utility>

using namespace EditorCommands;

const ContextMenu::Layout &EditorPanel::buildContextMenu() {
    const EditingSurface::DisplayState state = surface().displayState(
        {Cut, Copy, Paste, SelectAll, FontDialog, MakeAbsolute, SendToBack, InsertRow});
    const auto &s = state.statuses;
    ContextMenu::Statuses statuses;
    statuses.cut = s.value(0);
    statuses.copy = s.value(1);
    statuses.paste = s.value(2);
    statuses.selectAll = s.value(3);
    statuses.font = s.value(4);
    statuses.makeAbsolute = s.value(5);
    statuses.sendToBack = s.value(6);
    statuses.insertRow = s.value(7);
    statuses.cellPropertiesAvailable = featureAvailable(Feature::CellProperties);
    statuses.tablePropertiesAvailable = featureAvailable(Feature::TableProperties);
    m_menu = ContextMenu::build(statuses);
    m_surface->setContextMenu(m_menu.items, m_menu.states);
    return m_menu;
}

void EditorPanel::contextMenuAction(int index) {
    const ContextMenu::Action action = ContextMenu::actionAt(m_menu, index);
    if (action.command != 0) {
        surface().execCommand(action.command, action.option);
        refreshToolbar();
        return;
    }
    if (action.propertyDialog == 0)
        return;
    if (action.propertyDialog == 1)
        m_cellScope = action.scope;
    m_pendingDialog = action.propertyDialog;
    // The dialog opens after the menu has closed, never from inside its notification.
    m_timer1->start();
}

void EditorPanel::timerTick() {
    const int pending = std::exchange(m_pendingDialog, 0);
    if (pending == 1)
        emit cellPropertiesRequested(m_cellScope);
    else if (pending == 2)
        emit tablePropertiesRequested();
}
