#pragma once

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>

// Runs a script in the page's own world, as the page's user would act, and returns its result
// (invalid when none came within five seconds; a later answer is dropped).
inline QVariant runPageScript(QWebEnginePage &page, const QString &script) {
    struct Answer {
        QVariant value;
        QEventLoop loop;
    };
    const auto answer = std::make_shared<Answer>();
    page.runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant &v) {
        answer->value = v;
        answer->loop.quit();
    });
    QTimer::singleShot(5000, &answer->loop, &QEventLoop::quit);
    answer->loop.exec();
    return answer->value;
}
