#pragma once

#include <QTreeView>

// ListMsg: the table of saved messages. Reports the start and end of a drag of a message, so
// that folder highlights during the drag do not list those folders. Date is as wide as its
// dates and From, Subject and To share the rest of the list's width, so that every column shows
// in a narrow window too; once the user drags one of them, the widths are the user's.
class MessageListView : public QTreeView {
    Q_OBJECT
public:
    explicit MessageListView(QWidget *parent = nullptr);

signals:
    void dragStarted();
    void dragEnded();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_fitting = false;
    bool m_userWidths = false;
};
