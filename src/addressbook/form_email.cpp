#include "addressbook/form_email.h"

#include "addressbook/book_model.h"
#include "addressbook/book_search.h"

#include <QComboBox>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>

FormEmail::FormEmail(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_addresses(new QComboBox(this))
    , m_list(new QStringListModel(this)) {
    setObjectName(QStringLiteral("FormEmail"));
    setWindowTitle(QStringLiteral("Email Addresses"));
    m_addresses->setObjectName(QStringLiteral("Combo1"));
    m_addresses->setMinimumContentsLength(28);
    m_addresses->setPlaceholderText(QStringLiteral("Pick an address"));
    m_addresses->setMaxVisibleItems(20);
    // A list model and uniform rows keep a book of many thousand addresses quick to list.
    auto *view = new QListView(m_addresses);
    view->setUniformItemSizes(true);
    m_addresses->setView(view);
    m_addresses->setModel(m_list);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_addresses);
    connect(m_addresses, &QComboBox::activated, this, [this] {
        if (!m_loading)
            emit picked();
    });
}

void FormEmail::Form_Load(const BookModel &book, int emailColumn) {
    m_loading = true;
    m_list->setStringList(BookSearch::columnValues(book.table(), emailColumn));
    m_addresses->setCurrentIndex(-1);
    m_loading = false;
}

std::optional<QString> FormEmail::pick() const {
    if (m_addresses->currentIndex() < 0)
        return std::nullopt;
    return m_addresses->currentText();
}
