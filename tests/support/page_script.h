#pragma once

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

// Runs a script in the page's own world, as the page's user would act, and returns its result
// (invalid when none came within five seconds).
inline QVariant runPageScript(QWebEnginePage &page, const QString &script) {
    QEventLoop loop;
    QVariant result;
    page.runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &v) {
        result = v;
        loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}
