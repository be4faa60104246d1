#include "store/message_list_model.h"

#include <QDirIterator>
#include <QMimeData>

#include <algorithm>

MessageListModel::MessageListModel(QObject *parent)
    : QAbstractTableModel(parent) {}

void MessageListModel::list(const QString &folderPath, Layout layout, LooseDate::Order order) {
    QStringList names;
    // Hidden files are not listed; every other file is, whatever its name.
    for (QDirIterator it(folderPath, QDir::Files); it.hasNext();) {
        it.next();
        names.append(it.fileName());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int byLetters = a.compare(b, Qt::CaseInsensitive);
        return byLetters != 0 ? byLetters < 0 : a < b;
    });

    beginResetModel();
    m_folderPath = folderPath;
    m_layout = layout;
    m_results = false;
    m_rows.clear();
    m_rows.reserve(size_t(names.size()));
    for (const QString &name : names) {
        if (std::optional<MessageName> parsed = MessageName::parse(name, order))
            m_rows.push_back({std::move(*parsed), {}});
    }
    if (m_sorted)
        sortRows(m_sortColumn, m_sortOrder);
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, FromColumn, ToColumn);
}

QString MessageListModel::filePath(int row) const {
    const Row &shown = m_rows[size_t(row)];
    return m_results ? m_folderPath + u'/' + shown.folder + u'/' + shown.name.fileName
                     : m_folderPath + u'/' + shown.name.fileName;
}

void MessageListModel::showResults(const QString &rootPath) {
    beginResetModel();
    m_folderPath = rootPath;
    m_layout = Layout::Received;
    m_results = true;
    m_rows.clear();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, FromColumn, ToColumn);
}

void MessageListModel::appendResults(const QList<SearchHit> &hits) {
    if (!m_results || hits.isEmpty())
        return;
    beginInsertRows({}, rowCount(), rowCount() + int(hits.size()) - 1);
    for (const SearchHit &hit : hits)
        m_rows.push_back({hit.name, hit.folder});
    endInsertRows();
}

void MessageListModel::clear() {
    beginResetModel();
    m_folderPath.clear();
    m_results = false;
    m_rows.clear();
    endResetModel();
}

void MessageListModel::resultsComplete() {
    if (m_results && m_sorted)
        sort(m_sortColumn, m_sortOrder);
}

Qt::SortOrder MessageListModel::columnClicked(int column) {
    const Qt::SortOrder order = column == m_sortColumn && m_sortOrder == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    sort(column, order);
    return order;
}

namespace {

// The text a row shows in a column, for display and sorting alike; none for the sort key.
const QString *columnText(const MessageName &row, const QString &folder, int column) {
    switch (column) {
    case MessageListModel::FolderColumn:
        return &folder;
    case MessageListModel::FromColumn:
        return &row.from;
    case MessageListModel::SubjectColumn:
        return &row.subject;
    case MessageListModel::ToColumn:
        return &row.to;
    case MessageListModel::DateColumn:
        return &row.date;
    case MessageListModel::FileColumn:
        return &row.fileName;
    default:
        return nullptr;
    }
}

} // namespace

int MessageListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MessageListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MessageListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const Row &row = m_rows[size_t(index.row())];
    if (index.column() == SortKeyColumn)
        return row.name.sortKeyText();
    if (const QString *text = columnText(row.name, row.folder, index.column()))
        return *text;
    return {};
}

QVariant MessageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool sent = m_layout == Layout::Sent;
    switch (section) {
    case FromColumn:
        return sent ? QStringLiteral("Sent To") : QStringLiteral("From");
    case SubjectColumn:
        return QStringLiteral("Subject");
    case ToColumn:
        return sent ? QStringLiteral("From") : QStringLiteral("To");
    case DateColumn:
        return QStringLiteral("Date");
    case FileColumn:
        return QStringLiteral("File");
    case SortKeyColumn:
        return QStringLiteral("Day");
    case FolderColumn:
        return QStringLiteral("Folder");
    default:
        return {};
    }
}

bool MessageListModel::removeRows(int row, int count, const QModelIndex &parent) {
    if (parent.isValid() || row < 0 || count < 1 || size_t(row + count) > m_rows.size())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}

void MessageListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    m_sorted = true;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Sorting moves the rows; persistent indexes (selection, current row) follow them by folder
    // and file name, which together are unique.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<QString, QString>> names;
    for (const QModelIndex &index : before)
        names.emplace_back(m_rows[size_t(index.row())].folder, m_rows[size_t(index.row())].name.fileName);
    sortRows(column, order);
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const auto found = std::find_if(m_rows.begin(), m_rows.end(), [&](const Row &row) {
            return row.folder == names[size_t(i)].first && row.name.fileName == names[size_t(i)].second;
        });
        after.append(index(int(found - m_rows.begin()), before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void MessageListModel::sortRows(int column, Qt::SortOrder order) {
    const auto less = [column](const Row &a, const Row &b) {
        if (column == DateColumn || column == SortKeyColumn)
            return MessageName::dateLess(a.name, b.name);
        const auto text = [column](const Row &row) -> const QString & {
            const QString *shown = columnText(row.name, row.folder, column);
            return shown ? *shown : row.name.fileName;
        };
        return text(a).compare(text(b), Qt::CaseInsensitive) < 0;
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(m_rows.begin(), m_rows.end(), less);
    else
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [&less](const Row &a, const Row &b) { return less(b, a); });
}

Qt::ItemFlags MessageListModel::flags(const QModelIndex &index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid())
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList MessageListModel::mimeTypes() const {
    return {mimeType()};
}

QMimeData *MessageListModel::mimeData(const QModelIndexList &indexes) const {
    if (indexes.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(mimeType(), filePath(indexes.first().row()).toUtf8());
    return data;
}
