// Help on a desktop whose browser cannot start: the page shows in the program's own window.
#include "main_form_harness.h"

TEST(HelpBrowserTest, ABrowserThatCannotStartLeavesThePageToTheHelpWindow) {
    // The desktop's opener names a browser, and fails as it does when that browser cannot start.
    QTemporaryDir bin;
    for (const auto &[name, script] : {std::pair{"xdg-mime", "#!/bin/sh\necho broken-browser.desktop\n"},
                                       std::pair{"xdg-open", "#!/bin/sh\nexit 4\n"}}) {
        QFile file(bin.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script);
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ':' + path);
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.userStep(u"#F1"_s), QString());
    EXPECT_TRUE(MainFormHarness::waitFor([] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(),
                           [](QWidget *w) { return w->objectName() == u"HelpWindow"_s && w->isVisible(); });
    }));
    qputenv("PATH", path);
}
