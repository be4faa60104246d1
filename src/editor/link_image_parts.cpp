#include "editor/link_image_parts.h"

#include "base/text_file.h"

#include <QDir>
#include <QFileInfo>
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
    // An empty page at once makes the view's drawing surface now, before its window is shown:
    // made later, at the first preview, it makes the window anew, which the window manager then
    // places anew too.
    view->setHtml(QString());
    return view;
}

QUrl previewUrl(const QString &text, const QString &documentPath) {
    const QString folder =
        documentPath.isEmpty() ? QDir::currentPath() : QFileInfo(documentPath).absolutePath();
    return QUrl::fromUserInput(text.trimmed(), folder, QUrl::AssumeLocalFile);
}

void writeDiagnostic(const QString &label, int number, const QString &description) {
    // A folder where the log cannot be written costs nothing but the line.
    TextFile::writeAtomically(QStringLiteral("GWJavaHelp.log"),
                              (label + QStringLiteral(": ") + QString::number(number) + QLatin1Char(' ') +
                               description + QStringLiteral("\r\n"))
                                  .toUtf8());
}

} // namespace LinkImageParts
