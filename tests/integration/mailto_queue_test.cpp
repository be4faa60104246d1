// Links clicked in quick succession: every launcher waits its turn, none overwrites an address
// not yet taken, and the running program takes them all in the order they were written.
#include "main_form_harness.h"

#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// Twenty launchers started together, as for links clicked in a row.
std::vector<std::unique_ptr<QProcess>> startLaunchers(const QStringList &options) {
    std::vector<std::unique_ptr<QProcess>> launchers;
    for (int i = 0; i < 20; ++i) {
        launchers.push_back(std::make_unique<QProcess>());
        launchers.back()->start(QStringLiteral(CORVALIS_PATH),
                                options + QStringList{u"--mailto"_s, u"mailto:user%1@example.com"_s.arg(i)});
    }
    return launchers;
}

TEST(MailtoQueue, TwentyLaunchersAtOnceHandOverEveryAddressInTurn) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/yahoo/inbox"_s));
    const auto launchers = startLaunchers({u"--settings"_s, h.iniPath()});
    const PageModel::ComposeForm &form = PageModel::composeForm(u"yahoo"_s);
    QStringList written, composed; // each address as it appears in the key, and on the compose page
    const auto note = [](QStringList &list, const QString &value) {
        if (!value.isEmpty() && !list.contains(value))
            list << value;
    };
    const auto allComposed = [&] {
        note(written, h.settings().get(Keys::Mailto));
        note(composed, h.form().webBrowser(3).formFieldValue(form.form, form.to).value_or(QString()));
        return composed.size() == 20 && std::ranges::all_of(launchers, [](const auto &p) {
                   return p->state() == QProcess::NotRunning;
               });
    };
    EXPECT_TRUE(MainFormHarness::waitFor(allComposed, 120000)) << composed.join(u' ').toStdString();
    for (const auto &launcher : launchers)
        EXPECT_EQ(launcher->exitCode(), 0) << launcher->readAllStandardError().toStdString();
    // An address taken between two looks at the key is never seen there; the rest keep their order.
    composed.removeIf([&](const QString &address) { return !written.contains(address); });
    EXPECT_EQ(composed, written);
}

// The programs started on `ini`, launchers left out.
QList<qint64> programsOn(const QString &ini) {
    QList<qint64> pids;
    for (const QString &pid : QDir(u"/proc"_s).entryList({u"[0-9]*"_s}, QDir::Dirs)) {
        QFile file(u"/proc/%1/cmdline"_s.arg(pid));
        const QList<QByteArray> arguments =
            file.open(QIODevice::ReadOnly) ? file.readAll().split('\0') : QList<QByteArray>{};
        if (arguments.contains(QFile::encodeName(ini)) && !arguments.contains("--mailto"))
            pids << pid.toLongLong();
    }
    return pids;
}

TEST(MailtoQueue, TwentyLaunchersWithNoProgramRunningStartOne) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"corvalis.ini"_s);
    const auto launchers = startLaunchers({u"--settings"_s, ini, u"--no-splash"_s});
    // The started copies that found the first one running end within a few seconds.
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return programsOn(ini).size() == 1; }, 60000));
    QThread::sleep(2);
    const QList<qint64> programs = programsOn(ini);
    EXPECT_EQ(programs.size(), 1);
    for (const qint64 pid : programs)
        ::kill(pid_t(pid), SIGKILL);
}

} // namespace
