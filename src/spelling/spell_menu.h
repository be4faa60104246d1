#pragma once

#include <QObject>

class QMenu;
class QWebEngineView;
class SpellChecker;

// The spelling entries at the top of the right-click menu of any page's text field and of the
// editor: the web engine's suggestions for the underlined word, "Add to Dictionary" and
// "Ignore", above the entries the menu's owner puts there.
class SpellMenu : public QObject {
    Q_OBJECT
public:
    // Watches the whole program for menus that web views make.
    explicit SpellMenu(SpellChecker &checker, QObject *parent = nullptr);

    // Puts the entries for the word under the view's last right click at the top of `menu`.
    void addEntries(QMenu &menu, QWebEngineView &view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SpellChecker &m_checker;
};
