#include "store/message_list_view.h"

#include <QHeaderView>

MessageListView::MessageListView(QWidget *parent)
    : QTreeView(parent) {
    setObjectName(QStringLiteral("ListMsg"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // keeps 20 000 rows fast
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    // Header clicks sort through the model's own rule (same column flips the order).
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
}

void MessageListView::startDrag(Qt::DropActions supportedActions) {
    emit dragStarted();
    QTreeView::startDrag(supportedActions & Qt::CopyAction);
    emit dragEnded();
}
