#include "editor/make_rel_path.h"

#include <QRegularExpression>

namespace {

bool isWebAddress(const QString &path) {
    // Two letters at least before the ":", so that a drive letter is no scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(path).hasMatch();
}

bool isWindowsPath(const QString &path) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    return path.contains(u'\\') || drive.match(path).hasMatch();
}

// The first place where `folder` stands in `target` as a whole name: followed by the separator or
// by the end of the target.
qsizetype findFolder(const QString &target, const QString &folder, QChar separator, Qt::CaseSensitivity cs) {
    if (folder.isEmpty()) // the root, after going up from the top folder
        return target.startsWith(separator) ? 0 : -1;
    for (qsizetype p = target.indexOf(folder, 0, cs); p >= 0; p = target.indexOf(folder, p + 1, cs)) {
        const qsizetype end = p + folder.size();
        if (end == target.size() || target.at(end) == separator)
            return p;
    }
    return -1;
}

} // namespace

QString MakeRelPathRel(const QString &target, const QString &base) {
    if (target.isEmpty())
        return {};
    if (isWebAddress(target))
        return target;
    const bool windows = isWindowsPath(target) || isWindowsPath(base);
    const QChar separator = windows ? u'\\' : u'/';
    const Qt::CaseSensitivity cs = windows ? Qt::CaseInsensitive : Qt::CaseSensitive;
    QString path = target;
    if (windows)
        path.replace(u'/', u'\\');

    const qsizetype last = base.lastIndexOf(separator);
    QString folder = last < 0 ? base : base.left(last);
    QString prefix;
    for (;;) {
        const qsizetype p = findFolder(path, folder, separator, cs);
        if (p >= 0) {
            QString result = prefix + path.mid(p + folder.size() + 1);
            const QString doubled(2, separator);
            while (result.contains(doubled))
                result.replace(doubled, QString(separator));
            while (result.startsWith(separator)) // the folder was followed by a doubled separator
                result.remove(0, 1);
            return result;
        }
        const qsizetype cut = folder.lastIndexOf(separator);
        if (cut < 0)
            return path;
        folder.truncate(cut);
        prefix += windows ? QStringLiteral("..\\") : QStringLiteral("../");
    }
}
