#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QTableView;
class QToolBar;
class QAction;

// The left pane: the open address book's title, its toolbar and grid, and the buttons that
// hide it and show it again. Owns the splitter rules between itself and the work area.
class AddressBookPane : public QWidget {
    Q_OBJECT
public:
    AddressBookPane(QSplitter &splitter, QPushButton &showButton, QWidget *parent = nullptr);

    void hidePane();
    void showPane();
    void toggleExpanded();
    bool addbook_hidden() const { return m_hidden; }
    bool expanded() const { return m_expanded; }
    // Lays out the splitter at the wanted position (twips), within the splitter rules.
    void SizeControls(int wantedTwips);
    int splitterTwips() const;

    QTableView *grid() const { return m_grid; }
    QToolBar *toolbar() const { return m_toolbar; }
    // Lists the address books in `folder`; `open` (a path) is the one marked as open.
    void listBooks(const QString &folder, const QString &open);
    // Moves the toolbar's buttons from `first` on to a second row, so that none hides behind the
    // toolbar's overflow at the pane's usual width.
    void wrapToolbarAt(const QString &first);

signals:
    void visibilityChanged(bool shown);
    // A book of the list was clicked (or chosen with Enter).
    void bookChosen(const QString &path);

private:
    int windowWidthTwips() const;

    QSplitter &m_splitter;
    QPushButton &m_showButton;
    QLabel *m_title;
    QPushButton *m_hideButton;
    QToolBar *m_toolbar;
    QToolBar *m_toolbarRow2;
    QAction *m_expandAction;
    QListWidget *m_books;
    QTableView *m_grid;
    QLineEdit *m_cellEdit;
    bool m_hidden = false;
    bool m_expanded = false;
    int m_rememberedTwips = 0;
};
