#include "addressbook/dialog_import.h"

#include "addressbook/address_book.h"
#include "addressbook/import_lineup.h"
#include "base/messages.h"
#include "base/regular_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const char *const instructions =
    "Before clicking the Finish Import button, you must ensure that the fields (columns) line up properly. "
    "Use the "
    "controls below to  move columns in the data file you are importing. It is NOT necessary to line up "
    "columns "
    "which are completely blank or which contain information you don't care about.";

QTableView *makeGrid(const QString &name, QWidget *parent) {
    auto *grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    return grid;
}

} // namespace

DialogImport::DialogImport(AddressBook &book, const QString &path, QWidget *parent)
    : QDialog(parent)
    , m_book(book)
    , m_file(new BookModel(this))
    , m_titles(new QStandardItemModel(this))
    , m_fileGrid(makeGrid(QStringLiteral("MSFlexGrid1"), this))
    , m_titleGrid(makeGrid(QStringLiteral("MSFlexGrid2"), this))
    , m_positions(new QComboBox(this))
    , m_skipKnown(new QCheckBox(
          QStringLiteral("Skip contacts whose email address is already in the address book"), this)) {
    setObjectName(QStringLiteral("DialogImport"));
    setWindowTitle(QStringLiteral("Import Data"));
    m_positions->setObjectName(QStringLiteral("Combo1"));
    m_skipKnown->setObjectName(QStringLiteral("CheckSkipKnown"));
    m_fileGrid->setModel(m_file);
    m_fileGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_titleGrid->setModel(m_titles);
    m_titleGrid->setMaximumHeight(m_titleGrid->horizontalHeader()->sizeHint().height() + 4);
    // The file's columns move under the book's titles, so both scroll together.
    // A press on a title makes its column current, even in a file without rows.
    connect(m_fileGrid->horizontalHeader(), &QHeaderView::sectionPressed, this,
            [this](int column) { m_currentColumn = column; });
    connect(
        m_fileGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex &current) { m_currentColumn = current.isValid() ? current.column() : -1; });
    connect(m_fileGrid->horizontalScrollBar(), &QScrollBar::valueChanged, m_titleGrid->horizontalScrollBar(),
            &QScrollBar::setValue);

    auto *move = new QPushButton(QStringLiteral("Move Selected Column to Position:"), this);
    move->setObjectName(QStringLiteral("Command1"));
    auto *finish = new QPushButton(QStringLiteral("Finish Import"), this);
    finish->setObjectName(QStringLiteral("OKButton"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(move, &QPushButton::clicked, this, &DialogImport::Command1_Click);
    connect(finish, &QPushButton::clicked, this, &DialogImport::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *frame = new QGroupBox(QStringLiteral("Line up Columns"), this);
    auto *instruction = new QLabel(QString::fromLatin1(instructions), frame);
    instruction->setWordWrap(true);
    auto *moveRow = new QHBoxLayout;
    moveRow->addWidget(move);
    moveRow->addWidget(m_positions);
    moveRow->addStretch(1);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(instruction);
    frameLayout->addWidget(m_titleGrid);
    frameLayout->addWidget(m_fileGrid, 1);
    frameLayout->addLayout(moveRow);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_skipKnown);
    buttons->addStretch(1);
    buttons->addWidget(finish);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(720, 480);

    Form_Load(path);
}

QString DialogImport::finishedMessage() {
    return QStringLiteral("The new data has been appended to the bottom of your address book.");
}

void DialogImport::Form_Load(const QString &path) {
    const BookModel &book = m_book.model();
    const int columns = book.columnCount();
    QStringList titles;
    for (int c = 0; c < columns; ++c) {
        m_positions->addItem(QString::number(c + 1));
        titles.append(QStringLiteral("%1-%2").arg(c + 1).arg(book.plainTitle(c)));
    }
    m_titles->setColumnCount(columns);
    m_titles->setHorizontalHeaderLabels(titles);
    m_positions->setCurrentIndex(0);
    if (columns > 0)
        m_titleGrid->setColumnHidden(columns - 1, true);

    if (RegularFile::isSpecial(path)) {
        m_book.messages().inform(RegularFile::refusal(path));
        return;
    }
    BookFile::OpenedBook file = BookFile::openImport(path);
    if (file.error != BookFile::Error::None) {
        m_book.messages().inform(AddressBook::readFailureMessage(file.error, path));
        return;
    }
    m_file->setTable(std::move(file.table));
    m_lastFileColumn = m_file->columnCount() - 1;
    hideLastColumn();
    m_loaded = true;
}

void DialogImport::hideLastColumn() {
    for (int c = 0; c < m_file->columnCount(); ++c)
        m_fileGrid->setColumnHidden(c, c == m_lastFileColumn);
}

void DialogImport::Command1_Click() {
    const int to = m_positions->currentIndex();
    const int from = m_currentColumn;
    if (to < 0 || from < 0 || to >= m_file->columnCount())
        return;
    m_file->moveColumn(from, to);
    // The file's untitled last column stays hidden wherever it moves.
    m_lastFileColumn = BookTable::indexAfterMove(m_lastFileColumn, from, to);
    hideLastColumn();
    m_currentColumn = to;
    if (m_file->rowCount() > 0)
        m_fileGrid->setCurrentIndex(m_file->index(std::max(m_fileGrid->currentIndex().row(), 0), to));
}

void DialogImport::OKButton_Click() {
    const auto duplicates =
        m_skipKnown->isChecked() ? ImportLineup::Duplicates::Skip : ImportLineup::Duplicates::Keep;
    const ImportLineup::Result result =
        ImportLineup::rowsToAppend(m_book.model().table(), m_book.email_col(), m_file->table(), duplicates);
    m_book.model().appendRows(result.rows);
    m_book.messages().inform(finishedMessage());
    accept();
}
