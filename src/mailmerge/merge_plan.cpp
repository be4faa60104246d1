#include "mailmerge/merge_plan.h"

#include "mailmerge/merge_fields.h"

#include <algorithm>

namespace MergePlan {

Rows rowsFor(Range range, std::pair<int, int> selection, int rowCount) {
    if (range == Range::All)
        return {0, rowCount - 1};
    auto [first, last] = selection;
    if (first > last)
        std::swap(first, last);
    if (first < 0)
        return {};
    return {first, std::min(last, rowCount - 1)};
}

Check check(const Book &book, Rows rows, const QString &subject, const QString &body,
            const std::function<bool(int row, const QString &address)> &alreadySent) {
    Check out;
    std::vector<MergeFields::Field> fields = MergeFields::fieldsIn(subject, book.titles);
    const std::vector<MergeFields::Field> bodyFields = MergeFields::fieldsIn(body, book.titles);
    fields.insert(fields.end(), bodyFields.begin(), bodyFields.end());

    // The columns of the fields that need a value in every row: each column once.
    std::vector<std::pair<int, QString>> needed;
    for (const MergeFields::Field &field : fields) {
        const int column = MergeFields::columnOf(book.titles, field.name);
        if (column < 0) {
            const QString written = QStringLiteral("<<%1>>").arg(field.name);
            if (!out.unknownFields.contains(written))
                out.unknownFields.push_back(written);
        } else if (!field.fallback && std::none_of(needed.begin(), needed.end(),
                                                   [column](const auto &n) { return n.first == column; })) {
            needed.emplace_back(column, field.name);
        }
    }

    const int last = std::min(rows.last, book.rowCount - 1);
    for (int row = std::max(rows.first, 0); row <= last; ++row) {
        const QStringList cells = book.cells(row);
        const QString address = cells.value(book.emailColumn).trimmed();
        // A book without an e-mail column has its first column read as addresses: names are not.
        if (!address.contains(u'@')) {
            out.rowsWithoutAddress.push_back(row);
            continue;
        }
        if (alreadySent && alreadySent(row, address)) {
            out.rowsAlreadySent.push_back(row);
            continue;
        }
        out.rowsToSend.push_back(row);
        for (const auto &[column, name] : needed) {
            if (cells.value(column).trimmed().isEmpty())
                out.emptyFields.push_back({row, name});
        }
    }
    return out;
}

namespace {

// Rows as the grid numbers them, the titles being row 0.
QString rowList(const std::vector<int> &rows, int listed) {
    QStringList shown;
    for (size_t i = 0; i < rows.size() && int(i) < listed; ++i)
        shown.push_back(QString::number(rows[i] + 1));
    QString text = shown.join(QStringLiteral(", "));
    if (rows.size() > size_t(listed))
        text += QStringLiteral(" and %1 more").arg(rows.size() - size_t(listed));
    return text;
}

} // namespace

QString summary(const Check &check, int listed) {
    const size_t count = check.rowsToSend.size();
    QStringList lines;
    lines.push_back(count == 1 ? QStringLiteral("1 email will be sent.")
                               : QStringLiteral("%1 emails will be sent.").arg(count));
    if (!check.rowsAlreadySent.empty())
        lines.push_back(QStringLiteral("Rows already sent by the earlier run are skipped: %1.")
                            .arg(rowList(check.rowsAlreadySent, listed)));
    if (!check.unknownFields.isEmpty())
        lines.push_back(QStringLiteral("These fields match no column of the address book and will be sent as "
                                       "written: %1.")
                            .arg(check.unknownFields.join(QStringLiteral(", "))));
    if (!check.rowsWithoutAddress.empty())
        lines.push_back(QStringLiteral("Rows without an e-mail address are skipped: %1.")
                            .arg(rowList(check.rowsWithoutAddress, listed)));
    if (!check.emptyFields.empty()) {
        QStringList shown;
        for (size_t i = 0; i < check.emptyFields.size() && int(i) < listed; ++i)
            shown.push_back(QStringLiteral("row %1 (%2)")
                                .arg(check.emptyFields[i].row + 1)
                                .arg(check.emptyFields[i].field));
        QString text = shown.join(QStringLiteral(", "));
        if (check.emptyFields.size() > size_t(listed))
            text += QStringLiteral(" and %1 more").arg(check.emptyFields.size() - size_t(listed));
        lines.push_back(QStringLiteral("Fields that are empty: %1.").arg(text));
    }
    lines.push_back(count == 0 ? QStringLiteral("There is nothing to send.")
                               : QStringLiteral("Do you want to start sending?"));
    return lines.join(QStringLiteral("\n\n"));
}

} // namespace MergePlan
