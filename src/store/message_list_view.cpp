#include "store/message_list_view.h"

#include "store/message_list_model.h"

#include <QHeaderView>
#include <QScopedValueRollback>

#include <algorithm>

namespace {

// Percent of the list's width left beside the dates for From, Subject and To.
constexpr int shares[][2] = {{MessageListModel::FromColumn, 32},
                             {MessageListModel::SubjectColumn, 46},
                             {MessageListModel::ToColumn, 22}};

} // namespace

MessageListView::MessageListView(QWidget *parent)
    : QTreeView(parent) {
    setObjectName(QStringLiteral("ListMsg"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // keeps 20 000 rows fast
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    // Header clicks sort through the model's own rule (same column flips the order).
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header(), &QHeaderView::sectionResized, this, [this](int column) {
        if (!m_fitting && column < MessageListModel::DateColumn)
            m_userWidths = true;
    });
}

void MessageListView::resizeEvent(QResizeEvent *event) {
    QTreeView::resizeEvent(event);
    if (m_userWidths)
        return;
    const QScopedValueRollback fitting(m_fitting, true);
    // The dates as wide as they are written, within a third of the list.
    const int width = viewport()->width();
    const int typical =
        fontMetrics().horizontalAdvance(QStringLiteral("Wed, 29 Dec 2004 ")); // before listing
    const int dates = std::min({std::max({typical, header()->sectionSizeHint(MessageListModel::DateColumn),
                                          sizeHintForColumn(MessageListModel::DateColumn)}),
                                width / 3});
    for (const auto &[column, percent] : shares)
        header()->resizeSection(column, (width - dates) * percent / 100);
}

void MessageListView::startDrag(Qt::DropActions supportedActions) {
    emit dragStarted();
    QTreeView::startDrag(supportedActions & Qt::CopyAction);
    emit dragEnded();
}
