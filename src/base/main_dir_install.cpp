#include "base/main_dir_install.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

bool MainDirInstall::isProgramFile(const QString &relativePath) {
    return relativePath.startsWith(QLatin1String("html/")) ||
           relativePath.startsWith(QLatin1String("help/")) || relativePath == QLatin1String("blankmsg.htm") ||
           relativePath == QLatin1String("blank.dat") || relativePath.endsWith(QLatin1String(".vtd"));
}

MainDirInstall::Result MainDirInstall::install(const QString &dataDir, const QString &mainDir) {
    Result result;
    const QDir source(QFileInfo(dataDir).absoluteFilePath());
    const QDir target(QFileInfo(mainDir).absoluteFilePath());
    if (!source.exists()) {
        return {false, {}, QStringLiteral("No data folder at %1").arg(dataDir)};
    }
    if (!target.mkpath(QStringLiteral("."))) {
        return {false, {}, QStringLiteral("Cannot create %1").arg(mainDir)};
    }
    QDirIterator it(source.path(), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = source.relativeFilePath(path);
        const QString destination = target.filePath(relative);
        if (it.fileInfo().isDir()) {
            target.mkpath(relative);
            continue;
        }
        // Placeholders keep empty folders in the source tree; the folders are what matter.
        if (it.fileName() == QLatin1String(".keep"))
            continue;
        const bool exists = QFileInfo::exists(destination);
        if (exists && !isProgramFile(relative))
            continue;
        if (exists)
            QFile::remove(destination);
        target.mkpath(QFileInfo(relative).path());
        if (!QFile::copy(path, destination)) {
            result.ok = false;
            result.error = QStringLiteral("Cannot copy %1 to %2").arg(relative, destination);
            return result;
        }
        QFile::setPermissions(destination, QFile::permissions(destination) | QFileDevice::WriteOwner);
        result.copied.append(relative);
    }
    return result;
}
