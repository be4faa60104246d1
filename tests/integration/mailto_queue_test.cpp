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
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Programs = std::vector<std::unique_ptr<QProcess>>;

// `count` programs started together, the i-th with `arguments(i)`.
Programs startPrograms(int count, const std::function<QStringList(int)> &arguments) {
    Programs programs;
    for (int i = 0; i < count; ++i) {
        programs.push_back(std::make_unique<QProcess>());
        programs.back()->start(QStringLiteral(CORVALIS_PATH), arguments(i));
    }
    return programs;
}

qsizetype running(const Programs &programs) {
    return std::ranges::count_if(programs, [](const auto &p) { return p->state() != QProcess::NotRunning; });
}

TEST(MailtoQueue, TwentyLaunchersAtOnceHandOverEveryAddressInTurn) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/yahoo/inbox"_s));
    // Twenty launchers started together, as for links clicked in a row.
    const Programs launchers = startPrograms(20, [&](int i) {
        return QStringList{u"--settings"_s, h.iniPath(), u"--mailto"_s,
                           u"mailto:user%1@example.com"_s.arg(i)};
    });
    const PageModel::ComposeForm &form = PageModel::composeForm(u"yahoo"_s);
    QStringList written, composed; // each address as it appears in the key, and on the compose page
    const auto note = [](QStringList &list, const QString &value) {
        if (!value.isEmpty() && !list.contains(value))
            list << value;
    };
    const auto allComposed = [&] {
        note(written, h.settings().get(Keys::Mailto));
        note(composed, h.form().webBrowser(3).formFieldValue(form.form, form.to).value_or(QString()));
        return composed.size() == 20 && running(launchers) == 0;
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
    const Programs programs = startPrograms(3, [&](int) {
        return QStringList{u"--settings"_s, dir.filePath(u"corvalis.ini"_s), u"--no-splash"_s};
    });
    // The later starts hand over to the first and end; the first stays.
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return running(programs) == 1; }, 60000));
    QThread::sleep(2);
    EXPECT_EQ(running(programs), 1);
    for (const auto &program : programs)
        EXPECT_TRUE(program->state() != QProcess::NotRunning || program->exitCode() == 0);
}

} // namespace
