// corvalis-install: prepares a main directory from the program's data folder and records it,
// with the address of the web-mail service, in the settings file. The program itself only
// reads [Locations] "main dir"; this is what writes it.
#include "base/main_dir_install.h"
#include "base/settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prepares a Corvalis main directory."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("main-dir"),
                                 QStringLiteral("The main directory to prepare."));
    parser.addOption(
        {QStringLiteral("data"), QStringLiteral("The program's data folder."), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("settings"), QStringLiteral("The settings file to record it in."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("service-url"), QStringLiteral("Base address of the web-mail service."),
                      QStringLiteral("URL")});
    parser.addOption({QStringLiteral("service"),
                      QStringLiteral("The kind of web-mail service at that address (roundcube)."),
                      QStringLiteral("NAME")});
    parser.process(app);
    if (parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("data")))
        parser.showHelp(2);

    const QString mainDir = QDir(parser.positionalArguments().first()).absolutePath() + QLatin1Char('/');
    const auto result = MainDirInstall::install(parser.value(QStringLiteral("data")), mainDir);
    if (!result.ok) {
        std::fprintf(stderr, "corvalis-install: %s\n", qPrintable(result.error));
        return 1;
    }
    Settings settings(Settings::locate(app.arguments()));
    settings.set(Keys::MainDir, mainDir);
    if (parser.isSet(QStringLiteral("service-url")))
        settings.set(Keys::ServiceUrl, parser.value(QStringLiteral("service-url")));
    if (parser.isSet(QStringLiteral("service")))
        settings.set(Keys::Service, parser.value(QStringLiteral("service")));
    std::printf("%s\n", qPrintable(mainDir));
    return 0;
}
