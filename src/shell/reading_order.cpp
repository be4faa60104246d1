#include "shell/reading_order.h"

#include <QWidget>

void ReadingOrder::chain(QWidget &root, const QStringList &names) {
    QWidget *previous = nullptr;
    for (const QString &name : names) {
        auto *next = root.findChild<QWidget *>(name);
        if (!next)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}
