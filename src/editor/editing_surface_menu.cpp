// The editing surface's context menu, shown when the page or the keyboard asks for it, and the
// keys and pointer moves the surface handles itself.
#include "editor/editing_surface.h"

#include <algorithm>

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

void EditingSurface::setContextMenu(const QStringList &items, const QList<int> &states) {
    m_menuItems = items;
    m_menuStates = states;
}

void EditingSurface::contextMenuEvent(QContextMenuEvent *event) {
    // The page asks for its menu from inside one of its own tasks, where it cannot answer the
    // status queries the menu is built from: the menu follows once that has returned.
    event->accept();
    requestContextMenu(event->pos());
}

void EditingSurface::childEvent(QChildEvent *event) {
    WebPane::childEvent(event);
    // The widget that takes the input is made with the page (and anew when its renderer is).
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool EditingSurface::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        // The menu key and Shift+F10 open the menu at the caret.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            requestContextMenu(std::nullopt);
            return true;
        }
    } else if (event->type() == QEvent::ShortcutOverride) {
        // Under some desktops' key bindings the engine claims keys for its editing (Ctrl+K deletes
        // to the line's end): the shortcuts of the program's windows around the surface go first.
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QWidget *around = this; around; around = around->parentWidget()) {
            for (const QAction *action : around->actions()) {
                if (action->isEnabled() && action->shortcut() == pressed) {
                    key->ignore();
                    return true;
                }
            }
        }
    } else if (event->type() == QEvent::ContextMenu) {
        // A right click reaches the page first, which moves the caret to the pointer and then
        // asks for the menu itself (contextMenuEvent); one from the keyboard opens at the caret.
        if (static_cast<QContextMenuEvent *>(event)->reason() != QContextMenuEvent::Mouse)
            requestContextMenu(std::nullopt);
        return true;
    }
    return WebPane::eventFilter(watched, event);
}

bool EditingSurface::focusNextPrevChild(bool next) {
    // In a table, Tab and Shift+Tab go from cell to cell (the page does that): the focus stays.
    if (queryStatus(InsertRow) >= Enabled)
        return true;
    return WebPane::focusNextPrevChild(next);
}

void EditingSurface::requestContextMenu(std::optional<QPoint> position) {
    if (m_menuRequested || m_menu->isVisible())
        return;
    m_menuRequested = true;
    QTimer::singleShot(0, this, [this, position] {
        m_menuRequested = false;
        showContextMenu(position);
    });
}

void EditingSurface::showContextMenu(std::optional<QPoint> position) {
    QPoint at;
    if (position) {
        // As in any editor, a right click outside the selection first puts the caret there.
        at = *position;
        const QPointF page = QPointF(at) / zoomFactor();
        callBridge(QStringLiteral("editorCaretToPoint"), {page.x(), page.y()});
    } else {
        const auto caret = callBridge(QStringLiteral("editorCaretPoint"));
        const QVariantList xy = caret ? caret->toList() : QVariantList();
        at = (QPointF(xy.value(0).toDouble(), xy.value(1).toDouble()) * zoomFactor()).toPoint();
        at = QPoint(std::clamp(at.x(), 0, width() - 1), std::clamp(at.y(), 0, height() - 1));
    }
    emit contextMenuRequested(at);
    m_menu->clear();
    for (qsizetype i = 0; i < m_menuItems.size(); ++i) {
        if (m_menuItems[i].isEmpty()) {
            m_menu->addSeparator();
            continue;
        }
        QAction *action = m_menu->addAction(m_menuItems[i]);
        action->setData(int(i));
        action->setEnabled(m_menuStates.value(i) != 2);
    }
    if (!m_menu->isEmpty())
        m_menu->popup(mapToGlobal(at));
}

void EditingSurface::leaveEvent(QEvent *event) {
    WebPane::leaveEvent(event);
    emit pointerLeft();
}
