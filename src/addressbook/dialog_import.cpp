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

// A column is made wide enough for its titles and cells, up to this many average characters.
constexpr int widestColumnCharacters = 40;

} // namespace

DialogImport::DialogImport(AddressBook &book, const QString &path, QWidget *parent)
    : QDialog(parent)
    , m_book(book)
    , m_file(new BookModel(this))
    , m_titles(new QStandardItemModel(this))
    , m_fileGrid(new QTableView(this))
    , m_titleRow(new QHeaderView(Qt::Horizontal, this))
    , m_positions(new QComboBox(this))
    , m_skipKnown(new QCheckBox(
          QStringLiteral("Skip contacts whose email address is already in the address book"), this)) {
    setObjectName(QStringLiteral("DialogImport"));
    setWindowTitle(QStringLiteral("Import Data"));
    m_positions->setObjectName(QStringLiteral("Combo1"));
    m_skipKnown->setObjectName(QStringLiteral("CheckSkipKnown"));
    m_fileGrid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_fileGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fileGrid->verticalHeader()->hide();
    m_fileGrid->setModel(m_file);
    m_fileGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_fileGrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_fileGrid->setWordWrap(false);
    // The book's titles are one header row over the file's columns, as wide as they are and
    // scrolled with them, so each title stands over the column that lands in it.
    m_titleRow->setObjectName(QStringLiteral("MSFlexGrid2"));
    m_titleRow->setModel(m_titles);
    m_titleRow->setSectionResizeMode(QHeaderView::Fixed);
    m_titleRow->setFocusPolicy(Qt::NoFocus);
    m_titleRow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    connect(m_fileGrid->horizontalHeader(), &QHeaderView::sectionResized, m_titleRow,
            [this](int column, int, int width) { m_titleRow->resizeSection(column, width); });
    connect(m_fileGrid->horizontalScrollBar(), &QScrollBar::valueChanged, m_titleRow,
            &QHeaderView::setOffset);
    // A press on a title makes its column current, even in a file without rows.
    connect(m_fileGrid->horizontalHeader(), &QHeaderView::sectionPressed, this,
            [this](int column) { m_currentColumn = column; });
    connect(
        m_fileGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex &current) { m_currentColumn = current.isValid() ? current.column() : -1; });

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
    // The title row sits on the grid, its sections starting where the grid's cells do.
    auto *titleLine = new QHBoxLayout;
    titleLine->setContentsMargins(m_fileGrid->frameWidth(), 0, m_fileGrid->frameWidth(), 0);
    titleLine->addWidget(m_titleRow);
    auto *lined = new QVBoxLayout;
    lined->setSpacing(0);
    lined->addLayout(titleLine);
    lined->addWidget(m_fileGrid, 1);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(instruction);
    frameLayout->addLayout(lined, 1);
    frameLayout->addLayout(moveRow);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_skipKnown);
    buttons->addStretch(1);
    buttons->addWidget(finish);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(760, 480);

    Form_Load(path);
}

QString DialogImport::finishedMessage(int added, int skipped) {
    const auto contacts = [](int count) {
        return count == 1 ? QStringLiteral("1 contact") : QStringLiteral("%1 contacts").arg(count);
    };
    if (added == 0 && skipped == 0)
        return QStringLiteral("The file holds no contacts; nothing was added to your address book.");
    if (added == 0)
        return QStringLiteral("Nothing was added to your address book: the email addresses of all %1 "
                              "are already in it.")
            .arg(contacts(skipped));
    if (skipped == 0)
        return QStringLiteral("The new data has been appended to the bottom of your address book.") +
               QStringLiteral(" (%1 added)").arg(contacts(added));
    return QStringLiteral("%1 appended to the bottom of your address book; %2 skipped, as their email "
                          "addresses are already in it.")
        .arg(contacts(added), contacts(skipped));
}

void DialogImport::Form_Load(const QString &path) {
    if (RegularFile::isSpecial(path)) {
        m_book.messages().inform(RegularFile::refusal(path));
        return;
    }
    BookFile::OpenedBook file = BookFile::openImport(path);
    if (file.error != BookFile::Error::None) {
        m_book.messages().inform(AddressBook::readFailureMessage(file.error, path));
        return;
    }
    // As many places as the book or the file has columns, not counting either's untitled last;
    // a shorter file gets empty columns, so that any of its columns can go to any place.
    m_places = std::max(m_book.model().columnCount(), file.table.columnCount()) - 1;
    while (file.table.columnCount() - 1 < m_places)
        file.table.insertColumn(file.table.columnCount() - 1, {});
    m_file->setTable(std::move(file.table));
    for (int c = 0; c < m_places; ++c)
        m_positions->addItem(QString::number(c + 1));
    m_positions->setCurrentIndex(0);
    m_fileGrid->setColumnHidden(m_places, true);
    showTitles();
    m_loaded = true;
}

void DialogImport::showTitles() {
    const BookModel &book = m_book.model();
    const int bookColumns = book.columnCount() - 1;
    QStringList titles;
    for (int c = 0; c < m_places; ++c) {
        const QString own = c < bookColumns ? book.plainTitle(c) : QString();
        const QString file = m_file->plainTitle(c);
        // What the book's column will be called: an untitled one takes the file's title.
        titles.append(QStringLiteral("%1-%2").arg(c + 1).arg(
            !own.isEmpty() || file.isEmpty() ? own : QStringLiteral("(new) ") + file));
    }
    m_titles->setColumnCount(m_places);
    m_titles->setHorizontalHeaderLabels(titles);
    m_titleRow->setFixedHeight(m_titleRow->sizeHint().height());
    fitColumns();
}

void DialogImport::fitColumns() {
    QHeaderView *header = m_fileGrid->horizontalHeader();
    const int widest = widestColumnCharacters * fontMetrics().averageCharWidth();
    for (int c = 0; c < m_places; ++c) {
        const QAbstractItemView &cells = *m_fileGrid; // the grid's own measure of the rows shown
        const int fitting = std::max(
            {header->sectionSizeHint(c), cells.sizeHintForColumn(c), m_titleRow->sectionSizeHint(c)});
        header->resizeSection(c, std::min(fitting, widest));
        m_titleRow->resizeSection(c, header->sectionSize(c));
    }
}

void DialogImport::Command1_Click() {
    const int to = m_positions->currentIndex();
    const int from = m_currentColumn;
    if (to < 0 || from < 0 || from >= m_places || to >= m_places)
        return;
    m_file->moveColumn(from, to);
    showTitles();
    m_currentColumn = to;
    if (m_file->rowCount() > 0)
        m_fileGrid->setCurrentIndex(m_file->index(std::max(m_fileGrid->currentIndex().row(), 0), to));
    m_fileGrid->scrollTo(m_file->index(0, to));
}

void DialogImport::OKButton_Click() {
    const auto duplicates =
        m_skipKnown->isChecked() ? ImportLineup::Duplicates::Skip : ImportLineup::Duplicates::Keep;
    BookModel &book = m_book.model();
    const ImportLineup::Result result =
        ImportLineup::rowsToAppend(book.table(), m_book.email_col(), m_file->table(), duplicates);
    for (const auto &[column, title] : result.retitled)
        book.setTitle(column, title);
    for (const QString &title : result.addedColumns)
        book.insertColumn(book.columnCount() - 1, title);
    book.appendRows(result.rows);
    m_book.messages().inform(finishedMessage(int(result.rows.size()), result.skipped));
    accept();
}
