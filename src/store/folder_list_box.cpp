#include "store/folder_list_box.h"

#include "store/message_list_model.h"

#include <QDragMoveEvent>
#include <QMimeData>

FolderListBox::FolderListBox(QWidget *parent)
    : QListWidget(parent) {
    setObjectName(QStringLiteral("ComboFolders2"));
    setDragDropMode(QAbstractItemView::DropOnly);
    // Drags arrive at the viewport, which takes them only when it accepts drops itself.
    viewport()->setAcceptDrops(true);
}

void FolderListBox::dragEnterEvent(QDragEnterEvent *event) {
    if (!event->mimeData()->hasFormat(MessageListModel::mimeType()))
        return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void FolderListBox::dragMoveEvent(QDragMoveEvent *event) {
    if (!event->mimeData()->hasFormat(MessageListModel::mimeType()))
        return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QModelIndex under = indexAt(event->position().toPoint());
    if (under.isValid() && under.row() < count())
        setCurrentRow(under.row());
}

void FolderListBox::dropEvent(QDropEvent *event) {
    if (!event->mimeData()->hasFormat(MessageListModel::mimeType()))
        return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
