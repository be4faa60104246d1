#include "addressbook/dialog_find.h"

#include "addressbook/book_model.h"
#include "addressbook/book_search.h"
#include "addressbook/find_state.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

DialogFind::DialogFind(const BookModel &book, FindState &state, QWidget *parent)
    : QDialog(parent)
    , m_book(book)
    , m_state(state)
    , m_columns(new QComboBox(this))
    , m_text(new QLineEdit(this)) {
    setObjectName(QStringLiteral("DialogFind"));
    setWindowTitle(QStringLiteral("Find Address"));
    setModal(false);
    m_columns->setObjectName(QStringLiteral("Combo1"));
    m_text->setObjectName(QStringLiteral("Text1"));
    auto *layout = new QFormLayout(this);
    layout->addRow(m_columns);
    layout->addRow(QStringLiteral("Find:"), m_text);
    connect(m_columns, &QComboBox::activated, this, &DialogFind::Combo1_Click);
    connect(m_text, &QLineEdit::textChanged, this, &DialogFind::Text1_Change);
}

void DialogFind::Form_Load(const QPoint &topLeft) {
    m_loading = true;
    m_columns->clear();
    for (int c = 0; c < m_book.columnCount(); ++c)
        m_columns->addItem(m_book.plainTitle(c));
    if (m_state.column >= m_columns->count())
        m_state.column = 0;
    m_columns->setCurrentIndex(m_state.column);
    move(topLeft);
    m_loading = false;
}

void DialogFind::Combo1_Click(int index) {
    if (m_loading)
        return;
    m_state.column = index;
    m_text->setFocus();
}

void DialogFind::Text1_Change(const QString &text) {
    m_state.inProgress = true;
    if (const std::optional<int> row = BookSearch::findPrefix(m_book.table(), m_state.column, text))
        emit matchFound(*row, m_state.column);
}

void DialogFind::hideEvent(QHideEvent *event) {
    m_state.inProgress = false;
    QDialog::hideEvent(event);
}
