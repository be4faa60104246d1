#include "webpages/services/message_rows.h"

#include <QVariantMap>

std::optional<std::vector<InboxTicks::MessageRow>>
MessageRows::fromBridge(const std::optional<QVariant> &answer) {
    if (!answer)
        return std::nullopt;
    std::vector<InboxTicks::MessageRow> rows;
    for (const QVariant &item : answer->toList()) {
        const QVariantMap row = item.toMap();
        rows.push_back(
            {row.value(QStringLiteral("sender")).toString(), row.value(QStringLiteral("subject")).toString(),
             row.value(QStringLiteral("unread")).toBool(), row.value(QStringLiteral("ticked")).toBool()});
    }
    return rows;
}

QVariantList MessageRows::toBridge(const std::vector<bool> &ticks) {
    QVariantList states;
    states.reserve(qsizetype(ticks.size()));
    for (bool t : ticks)
        states.push_back(t);
    return states;
}
