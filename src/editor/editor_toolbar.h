#pragma once

#include <QToolBar>

class QAction;

// The editor's toolbar: its buttons in order, each found by its key ("open", "Bold", ...),
// with the tool tips users know them by and their shortcuts. Icons come from the desktop theme;
// where the theme has none, from the icon set the program carries.
class EditorToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit EditorToolbar(QWidget *parent);

    QAction *button(const QString &key) const;

    void setExpanded(bool expanded);
    // Inside a table the "table" button edits that table.
    void setInTable(bool inTable);

signals:
    void buttonClicked(const QString &key);
};
