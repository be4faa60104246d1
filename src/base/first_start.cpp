#include "base/first_start.h"

#include "base/main_dir_install.h"
#include "base/settings.h"
#include "base/settings_problem.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString FirstStart::dataDirBeside(const QString &binaryDir) {
    return QDir::cleanPath(binaryDir + QStringLiteral("/../share/corvalis"));
}

QString FirstStart::defaultMainDir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/corvalis/");
}

bool FirstStart::hasProgramFiles(const QString &mainDir) {
    return !mainDir.isEmpty() &&
           QFileInfo(QDir(mainDir).filePath(QStringLiteral("html/welcome.htm"))).isFile();
}

FirstStart::Outcome FirstStart::ensureMainDir(Settings &settings, const QString &dataDir,
                                              const QString &fallbackDir) {
    const QString recorded = settings.get(Keys::MainDir);
    // The recorded directory is not known then: nothing is laid out in its stead.
    if (const std::optional<QString> problem = settingsProblem(settings))
        return {hasProgramFiles(recorded) ? recorded : QString(), *problem};
    if (hasProgramFiles(recorded))
        return {recorded, {}};
    if (!recorded.isEmpty() && MainDirInstall::install(dataDir, recorded).ok)
        return {recorded, {}};
    const auto laidOut = MainDirInstall::install(dataDir, fallbackDir);
    if (!laidOut.ok)
        return {recorded, laidOut.error};
    QString mainDir = QDir(fallbackDir).absolutePath();
    if (!mainDir.endsWith(QLatin1Char('/')))
        mainDir += QLatin1Char('/');
    settings.set(Keys::MainDir, mainDir);
    return {mainDir, {}};
}
