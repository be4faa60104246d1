#pragma once

#include <QToolBar>

class QAction;

// The editor's toolbar: its buttons in order, each found by its key ("open", "Bold", ...),
// with the tool tips users know them by. Icons come from the desktop theme; where the theme
// has none, a drawn glyph stands in.
class EditorToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit EditorToolbar(QWidget *parent);

    QAction *button(const QString &key) const;

    void setExpanded(bool expanded);

signals:
    void buttonClicked(const QString &key);
};
