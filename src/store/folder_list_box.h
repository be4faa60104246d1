#pragma once

#include <QListWidget>

// ComboFolders2: the list of folders being browsed. A saved message dragged from the message
// list over it highlights the folder under the pointer; dropping it moves nothing (moving is
// done with "Move to:").
class FolderListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget *parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
