#include "addressbook/column_roles.h"

#include "addressbook/book_table.h"

ColumnRoles ColumnRoles::recognise(const QStringList &titles) {
    ColumnRoles roles;
    for (int c = 0; c < titles.size(); ++c) {
        const QString lower = titles[c].toLower();
        if (roles.email < 0 &&
            (lower.contains(QLatin1String("email")) || lower.contains(QLatin1String("e-mail"))))
            roles.email = c;
        if (roles.first < 0 && lower.contains(QLatin1String("first")))
            roles.first = c;
        if (roles.last < 0 && lower.contains(QLatin1String("last")))
            roles.last = c;
    }
    return roles;
}

int ColumnRoles::scanForEmail(const BookTable &table) {
    const auto looksLikeAddress = [](QStringView text) { return text.contains(u'@') && text.contains(u'.'); };
    if (table.rowCount() == 0) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (looksLikeAddress(table.title(c)))
                return c;
        }
        return -1;
    }
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (looksLikeAddress(table.cell(r, c)))
                return c;
        }
    }
    return -1;
}

void ColumnRoles::arrange(BookTable &table) {
    const auto moveTo = [&](int &index, int place) {
        if (index <= place)
            return;
        const int from = index;
        table.moveColumn(from, place);
        for (int *role : {&first, &last, &email}) {
            if (*role >= 0)
                *role = BookTable::indexAfterMove(*role, from, place);
        }
    };
    moveTo(first, 0);
    moveTo(last, 1);
    moveTo(email, 2);
}
