#include "base/regular_file.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

bool RegularFile::isSpecial(const QString &path) {
    struct stat info = {};
    // stat() follows symbolic links and, unlike open(), never waits.
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return !S_ISREG(info.st_mode);
}

QString RegularFile::refusal(const QString &path) {
    return QStringLiteral("\"%1\" is not an ordinary file (it may be a pipe, a device or a folder), "
                          "so Corvalis does not open it.")
        .arg(QDir::toNativeSeparators(path));
}
