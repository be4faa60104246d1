#pragma once

#include "store/message_name.h"
#include "store/message_search.h"

#include <QAbstractTableModel>

#include <vector>

// The messages of one folder, one row per file whose name reads as a saved message, in the
// folder's alphabetical order until a column is sorted. The sent-copies folder shows its
// recipients first ("Sent To") and its sender third ("From").
class MessageListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        FromColumn,
        SubjectColumn,
        ToColumn,
        DateColumn,
        FileColumn,
        SortKeyColumn,
        FolderColumn, // search results only
        ColumnCount
    };
    enum class Layout { Received, Sent };

    explicit MessageListModel(QObject *parent = nullptr);

    // Lists the folder at `folderPath`; the sort chosen by the user stays in force.
    void list(const QString &folderPath, Layout layout, LooseDate::Order order);
    QString folderPath() const { return m_folderPath; }
    Layout layout() const { return m_layout; }
    const MessageName &message(int row) const { return m_rows[size_t(row)].name; }
    QString filePath(int row) const;

    // Search results instead of a folder: found messages of the folders below `rootPath`, each
    // with its folder. They come in as found, and take the user's sort once all are in.
    void showResults(const QString &rootPath);
    void appendResults(const QList<SearchHit> &hits);
    void resultsComplete();
    // No folder and no results.
    void clear();
    bool showingResults() const { return m_results; }
    // The folder a result lies in; empty in a folder listing.
    QString folder(int row) const { return m_rows[size_t(row)].folder; }

    // A click on a column's header: a new column sorts ascending, the same column again flips
    // the order. The date column sorts by its day count. Returns the order used.
    Qt::SortOrder columnClicked(int column);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // A row dragged out of the list carries its file's path, and allows copying only.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    static QString mimeType() { return QStringLiteral("application/x-corvalis-saved-message"); }

private:
    void sortRows(int column, Qt::SortOrder order);

    struct Row {
        MessageName name;
        QString folder;
    };
    std::vector<Row> m_rows;
    bool m_results = false;
    QString m_folderPath;
    Layout m_layout = Layout::Received;
    int m_sortColumn = -1; // the last column clicked
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_sorted = false;
};
