#include "editor/link_image_parts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace LinkImageParts {

QWebEngineView *previewPane(QWidget *parent) {
    auto *view = new QWebEngineView(parent);
    QWebEngineSettings *settings = view->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    return view;
}

QUrl previewUrl(const QString &text, const QString &documentPath) {
    const QString folder =
        documentPath.isEmpty() ? QDir::currentPath() : QFileInfo(documentPath).absolutePath();
    return QUrl::fromUserInput(text.trimmed(), folder, QUrl::AssumeLocalFile);
}

void writeDiagnostic(const QString &label, int number, const QString &description) {
    QSaveFile log(QStringLiteral("GWJavaHelp.log"));
    if (!log.open(QIODevice::WriteOnly))
        return;
    log.write((label + QStringLiteral(": ") + QString::number(number) + QLatin1Char(' ') + description +
               QStringLiteral("\r\n"))
                  .toUtf8());
    log.commit();
}

} // namespace LinkImageParts
