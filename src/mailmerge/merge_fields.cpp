#include "mailmerge/merge_fields.h"

namespace MergeFields {
namespace {

const QString open = QStringLiteral("<<");
const QString close = QStringLiteral(">>");

Field parseField(QStringView inner) {
    const qsizetype bar = inner.indexOf(u'|');
    if (bar < 0)
        return {inner.toString(), std::nullopt};
    return {inner.left(bar).toString(), inner.mid(bar + 1).toString()};
}

// Calls `onField` for each "<<...>>" from the left with its start and end (one past ">>"); it
// returns whether the field was taken, and a field not taken lets the search go on from one
// character after its "<<", where another field may begin.
template<typename OnField> void scan(const QString &text, OnField onField) {
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = text.indexOf(open, from);
        if (start < 0)
            return;
        const qsizetype end = text.indexOf(close, start + open.size());
        if (end < 0)
            return;
        const Field field = parseField(QStringView(text).mid(start + open.size(), end - start - open.size()));
        from = onField(field, start, end + close.size()) ? end + close.size() : start + 1;
    }
}

} // namespace

int columnOf(const QStringList &titles, const QString &name) {
    if (name.isEmpty())
        return -1;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        if (titles[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString merge(const QString &text, const ValueOf &valueOf) {
    QString out;
    qsizetype copied = 0;
    scan(text, [&](const Field &field, qsizetype start, qsizetype end) {
        std::optional<QString> value = valueOf(field.name);
        if (!value)
            return false;
        if (value->isEmpty() && field.fallback)
            value = field.fallback;
        out += QStringView(text).mid(copied, start - copied);
        out += *value;
        copied = end;
        return true;
    });
    out += QStringView(text).mid(copied);
    return out;
}

std::vector<Field> fieldsIn(const QString &text, const QStringList &titles) {
    std::vector<Field> fields;
    scan(text, [&](const Field &field, qsizetype, qsizetype) {
        const bool known = columnOf(titles, field.name) >= 0;
        if (known || !field.name.contains(u'<'))
            fields.push_back(field);
        return known;
    });
    return fields;
}

QString mergeRow(const QString &text, const QStringList &titles, const QStringList &cells) {
    return merge(text, [&](const QString &name) -> std::optional<QString> {
        const int column = columnOf(titles, name);
        if (column < 0)
            return std::nullopt;
        return cells.value(column);
    });
}

} // namespace MergeFields
