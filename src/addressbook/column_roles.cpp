#include "addressbook/column_roles.h"

#include "addressbook/book_table.h"

namespace {

bool looksLikeAddress(QStringView text) {
    return text.contains(u'@') && text.contains(u'.');
}

bool mentionsEmail(const QString &title) {
    const QString lower = title.toLower();
    return lower.contains(QLatin1String("email")) || lower.contains(QLatin1String("e-mail"));
}

bool holdsAddresses(const BookTable &table, int column) {
    for (int r = 0; r < table.rowCount(); ++r) {
        if (looksLikeAddress(table.cell(r, column)))
            return true;
    }
    return false;
}

} // namespace

ColumnRoles ColumnRoles::recognise(const QStringList &titles) {
    ColumnRoles roles;
    for (int c = 0; c < titles.size(); ++c) {
        const QString lower = titles[c].toLower();
        if (roles.email < 0 && mentionsEmail(titles[c]))
            roles.email = c;
        if (roles.first < 0 && lower.contains(QLatin1String("first")))
            roles.first = c;
        if (roles.last < 0 && lower.contains(QLatin1String("last")))
            roles.last = c;
    }
    return roles;
}

ColumnRoles ColumnRoles::recognise(const BookTable &table) {
    ColumnRoles roles = recognise(table.titles());
    if (roles.email < 0)
        return roles;
    // Exports put a type or label column ("E-mail 1 - Type": "* Home") before the addresses.
    for (int c = roles.email; c < table.columnCount(); ++c) {
        if (mentionsEmail(table.title(c)) && holdsAddresses(table, c)) {
            roles.email = c;
            break;
        }
    }
    return roles;
}

int ColumnRoles::scanForEmail(const BookTable &table) {
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
