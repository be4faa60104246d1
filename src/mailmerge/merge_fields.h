#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// Merge fields in a message: "<<" + a column title + ">>", replaced by that column's value in
// the row being sent. "<<First|friend>>" writes "friend" where the row's First is empty.
namespace MergeFields {

struct Field {
    QString name;
    std::optional<QString> fallback; // the text after "|", when there is one
};

// The first column whose title equals `name` without regard to case; -1 when none does. Empty
// names match nothing (the book's hidden last column has no title).
int columnOf(const QStringList &titles, const QString &name);

// The row's value of a field's column; nothing when no column has that title.
using ValueOf = std::function<std::optional<QString>(const QString &name)>;

// Every field is replaced once, left to right: a value is never searched for fields of its own,
// so a value holding "<<Name>>" is written as it is. A field no column matches stays as
// written; a "<<" with no ">>" after it leaves the rest of the text unchanged.
QString merge(const QString &text, const ValueOf &valueOf);

// The fields of a text as `merge` meets them with these column titles, in order, repeats
// included. A "<<" that only stands before another field's "<<" ("<<<Name>>") is not one.
std::vector<Field> fieldsIn(const QString &text, const QStringList &titles);

// `merge` for one row of a book: `titles` are the plain column titles, `cells` the row's values.
QString mergeRow(const QString &text, const QStringList &titles, const QStringList &cells);

} // namespace MergeFields
