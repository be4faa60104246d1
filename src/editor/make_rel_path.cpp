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

// Whether the target lies in `folder`: the folder begins the target and is followed by the
// separator or by the end of the target (the folder "pages" is not "pages2").
bool inFolder(const QString &target, const QString &folder, QChar separator, Qt::CaseSensitivity cs) {
    if (folder.isEmpty()) // the root, after going up from the top folder
        return target.startsWith(separator);
    return target.startsWith(folder, cs) &&
           (target.size() == folder.size() || target.at(folder.size()) == separator);
}

// Runs of separators inside a path are one separator; a leading pair (a network path) stays.
QString collapseSeparators(const QString &path, QChar separator) {
    QString out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (i > 1 && path.at(i) == separator && out.endsWith(separator))
            continue;
        out += path.at(i);
    }
    return out;
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
    path = collapseSeparators(path, separator);
    const QString basePath = collapseSeparators(base, separator);

    const qsizetype last = basePath.lastIndexOf(separator);
    QString folder = last < 0 ? basePath : basePath.left(last);
    QString prefix;
    for (;;) {
        if (inFolder(path, folder, separator, cs)) {
            QString result = prefix + path.mid(folder.size() + 1);
            const QString doubled(2, separator);
            while (result.contains(doubled))
                result.replace(doubled, QString(separator));
            return result;
        }
        const qsizetype cut = folder.lastIndexOf(separator);
        if (cut < 0)
            return path;
        folder.truncate(cut);
        prefix += windows ? QStringLiteral("..\\") : QStringLiteral("../");
    }
}
