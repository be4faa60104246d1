#include "addressbook/new_book_name.h"

#include "base/file_name_limit.h"

#include <QDir>

#include <algorithm>

std::optional<QString> NewBookName::bookPath(const QString &folder, const QString &typed) {
    QString name = typed.trimmed();
    if (!name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        name += QLatin1String(".csv");
    const bool refused = std::any_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f;
    });
    if (typed.trimmed().isEmpty() || refused || name.toUtf8().size() > FileNameLimit::maxBytes)
        return std::nullopt;
    return QDir(folder).filePath(name);
}
