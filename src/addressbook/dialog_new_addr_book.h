#pragma once

#include <QDialog>

class AddressBook;
class QLineEdit;
class QPushButton;

// "New Address Book": asks for a name, makes the book from the template "blank.dat" in the
// main directory and opens it.
class DialogNewAddrBook : public QDialog {
    Q_OBJECT
public:
    DialogNewAddrBook(AddressBook &book, QWidget *parent = nullptr);

    void OKButton_Click();

    static QString createFailedMessage();
    static QString overwriteQuestion();

private:
    AddressBook &m_book;
    QLineEdit *m_name;
    QPushButton *m_ok;
};
