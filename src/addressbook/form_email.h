#pragma once

#include <QWidget>

#include <optional>

class BookModel;
class QComboBox;
class QStringListModel;

// "Email Addresses": a small window that stays above all others and lists the e-mail
// addresses of the open book; picking one hands it to the compose page.
class FormEmail : public QWidget {
    Q_OBJECT
public:
    explicit FormEmail(QWidget *parent = nullptr);

    // Lists the cells of `emailColumn`, empty ones included, in grid order.
    void Form_Load(const BookModel &book, int emailColumn);
    // The entry picked last, nothing while none is.
    std::optional<QString> pick() const;

signals:
    // The user picked an entry: the caller inserts it into To.
    void picked();

private:
    QComboBox *m_addresses;
    QStringListModel *m_list;
    bool m_loading = false;
};
