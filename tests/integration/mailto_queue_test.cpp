// Links clicked in quick succession: every launcher waits its turn, none overwrites an address
// not yet taken, and the running program takes them all in the order they were written.
#include "main_form_harness.h"

#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

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

TEST(SingleProgram, StartsOnOneSettingsFileLeaveOneRunning) {
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> programs;
    for (int i = 0; i < 3; ++i) {
        programs.push_back(std::make_unique<QProcess>());
        programs.back()->start(QStringLiteral(CORVALIS_PATH),
                               {u"--settings"_s, dir.filePath(u"corvalis.ini"_s), u"--no-splash"_s});
    }
    const auto running = [&] {
        return std::ranges::count_if(programs,
                                     [](const auto &p) { return p->state() != QProcess::NotRunning; });
    };
    // The later starts hand over to the first and end; the first stays.
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return running() == 1; }, 60000));
    QThread::sleep(2);
    EXPECT_EQ(running(), 1);
    for (const auto &program : programs)
        EXPECT_TRUE(program->state() != QProcess::NotRunning || program->exitCode() == 0);
}

} // namespace
