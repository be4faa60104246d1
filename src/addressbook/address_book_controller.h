#pragma once

#include "addressbook/address_book.h"

#include <QObject>

#include <functional>
#include <optional>

class AddressGrid;
class DialogFind;
class FormEmail;
class QLabel;
class QLineEdit;
class QTableView;
class QToolBar;

// The address book's part of the main window: the open book, its grid and cell editor, the
// toolbar's buttons, the find dialog and the address palette, wired together.
class AddressBookController : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget &window;    // owner of the dialogs; the open book is saved when it closes
        QTableView &grid;   // MSFlexGrid1
        QToolBar &toolbar;  // Toolbar2
        QLabel &bookName;   // LabelBkName
        QLineEdit &editBox; // TextEdit
        QWidget &mainPane;  // WebBrowser1: the find dialog and the palette are placed by it
        Messages &messages;
        AddressBook::Places places;
        // The From value of the message shown in the main pane; nothing when no From caption is found.
        std::function<std::optional<QString>()> displayedSender;
        std::function<void(const QString &)> showStatus;
    };
    explicit AddressBookController(Parts parts, QObject *parent = nullptr);
    ~AddressBookController() override;

    AddressBook &book() { return m_book; }
    FormEmail &palette() { return *m_palette; }

    // The addresses of the selected rows, top to bottom, for the insertion into To, Cc or Bcc.
    QStringList selectedAddresses() const;
    // The palette's pick, for the insertion of code 10.
    std::optional<QString> palettePick() const;

    // The palette lists the open book's addresses each time it is shown.
    void showPalette();
    void closePalette();
    // "find": the find dialog, not modal.
    void showFind();
    // "addmsg": the sender of the displayed message becomes a new row.
    void addSender();

    static QString noSenderMessage();

signals:
    // A toolbar button, a double click or a palette pick asks to insert addresses into the
    // compose page's field (0 To, 1 Cc, 2 Bcc, 10 To from the palette).
    void insertRequested(int which);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createActions(QToolBar &toolbar);
    void onBookOpened();

    QWidget &m_window;
    QWidget &m_mainPane;
    QLabel &m_bookName;
    std::function<std::optional<QString>()> m_displayedSender;
    std::function<void(const QString &)> m_showStatus;
    AddressBook m_book;
    AddressGrid *m_grid;
    FormEmail *m_palette;
    DialogFind *m_find = nullptr;
};
