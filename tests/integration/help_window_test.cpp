// Help opens on a desktop without a browser: the program's own window shows the pages.
#include "main_form_harness.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
QStringList messages;
void recordMessage(QtMsgType, const QMessageLogContext &, const QString &text) {
    messages << text;
}
} // namespace

TEST(HelpWindowTest, WithoutADesktopBrowserHelpOpensInItsOwnWindow) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    // No opener on the search path: the desktop cannot show a page.
    QTemporaryDir emptyBin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", emptyBin.path().toUtf8());
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordMessage);

    h.form().activateWindow();
    QTest::keyClick(&h.form(), Qt::Key_F1);
    auto *window = h.form().findChild<QWidget *>(u"HelpWindow"_s);
    ASSERT_TRUE(window && window->isVisible());
    auto *browser = window->findChild<QTextBrowser *>(u"helpBrowser"_s);
    const auto click = [&](const char *name) {
        QToolBar *bar = window->findChild<QToolBar *>();
        QTest::mouseClick(bar->widgetForAction(window->findChild<QAction *>(QString::fromLatin1(name))),
                          Qt::LeftButton);
    };
    const struct {
        const char *button; // nullptr: the page F1 opened
        const char *page;
    } steps[] = {{nullptr, "inbox.html"},
                 {"helpContents", "index.html"},
                 {"helpBack", "inbox.html"},
                 {"helpForward", "index.html"}};
    for (const auto &step : steps) {
        SCOPED_TRACE(step.button ? step.button : "F1");
        if (step.button)
            click(step.button);
        EXPECT_EQ(browser->source().fileName(), QString::fromLatin1(step.page));
    }
    EXPECT_FALSE(browser->toPlainText().isEmpty());
    qInstallMessageHandler(previous);
    qputenv("PATH", path);
    EXPECT_EQ(messages.filter(u"launcher"_s), QStringList());
}
