#include "store/saved_folders.h"

#include <QDir>

#include <algorithm>

namespace SavedFolders {

QString rootPath(const QString &mainDir) {
    // Backslashes of a main directory written the Windows way separate folders, as in every data path.
    QString base = mainDir.isEmpty() ? QStringLiteral(".") : mainDir;
    base.replace(u'\\', u'/');
    return QDir::cleanPath(QDir(base).filePath(QStringLiteral("savedmgs")));
}

QString folderPath(const QString &mainDir, const QString &folder) {
    return rootPath(mainDir) + u'/' + folder;
}

QStringList list(const QString &mainDir) {
    QStringList names = QDir(rootPath(mainDir)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

bool isValidName(const QString &name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(QChar(0));
}

CreateError create(const QString &mainDir, const QString &name) {
    if (!isValidName(name))
        return CreateError::InvalidName;
    // mkdir, not mkpath: an existing folder is a failure, and no parent is made on the way.
    if (!QDir(rootPath(mainDir)).mkdir(name))
        return CreateError::Failed;
    return CreateError::None;
}

} // namespace SavedFolders
