#pragma once

#include <QTreeView>

// ListMsg: the table of saved messages. Reports the start and end of a drag of a message, so
// that folder highlights during the drag do not list those folders.
class MessageListView : public QTreeView {
    Q_OBJECT
public:
    explicit MessageListView(QWidget *parent = nullptr);

signals:
    void dragStarted();
    void dragEnded();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};
