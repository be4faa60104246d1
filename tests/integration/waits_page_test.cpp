// The program's waits: a Cancel, a SIGTERM or SIGINT, and many launchers handing in links at once.
#include "main_form_harness.h"

#include "webpages/compose_transfer.h"
#include "webpages/mailto_hand_over.h"

#include <QThread>
#include <QUrl>

#include <algorithm>
#include <csignal>

// A cancel that comes while the program looks into the page wins over what the look finds (the
// wait's own tests); here, the button ends the transfer waiting and leaves the next one alone.
TEST(WaitsPageTest, ACancelEndsTheTransferWaitingAndNoOther) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    const SaveResult saved = writeSavedMessage(
        h.mainDir(), u"Saved"_s,
        {u"Ann <ann@example.com>"_s, u"Lunch"_s, u"12/05/2004"_s, u"bob@example.com"_s, {}, {}, u"Hi"_s},
        MessageKind::Captured);
    ASSERT_TRUE(h.load(h.form().webBrowser(2), saved.path));
    // The service has no compose page here: the transfer waits, looking again and again.
    ASSERT_TRUE(h.showPage(u"/hotmailx/inbox"_s));
    auto *transfer = h.child<ComposeTransfer>("ComposeTransfer");
    auto *cancel = h.child<QPushButton>("CommandCancelWait");
    QTimer waitShown;
    QObject::connect(&waitShown, &QTimer::timeout, cancel, [&] {
        if (cancel->isVisible() && h.settings().get(Keys::Bug) == u"5"_s) {
            waitShown.stop();
            QTest::mouseClick(cancel, Qt::LeftButton);
        }
    });
    const PageModel::ComposeForm &hotmail = PageModel::composeForm(PageModel::hotmail);
    const auto outcome = [&] { // the To field and the stage marker after a transfer
        transfer->ReplyOrForward(int(TransferMode::ReplyWithText));
        return h.form().webBrowser(3).formFieldValue(hotmail.form, hotmail.to).value_or(u"-"_s) + u'|' +
               h.settings().get(Keys::Bug);
    };
    waitShown.start(50);
    EXPECT_EQ(outcome(), u"-|5"_s);
    EXPECT_FALSE(h.child("PictureWait")->isVisible());
    // The next transfer is not swallowed by that cancel (nor left waiting by this test).
    ASSERT_TRUE(h.showPage(u"/hotmail/inbox"_s));
    QTimer::singleShot(15000, cancel, &QPushButton::click);
    EXPECT_EQ(outcome(), u"Ann <ann@example.com>|0"_s);
}

TEST(WaitsShutdownTest, ASigtermEndsEveryKindOfWait) {
    enum class Reach { Building, Splash, PollTick, ComposeWait };
    const struct {
        const char *wait;
        Reach reach;
        int signal;             // a desktop logout, or Ctrl+C in a terminal
        QByteArray composePage; // what the compose pane loads for a mailto; none: a missing page
        QString end;            // the stage marker and the handed-in address at the end
    } cases[] = {
        // Before start-up has applied the stored values: the close waits for it.
        {"window still being built: the picture is not shown", Reach::Building, SIGTERM, {}, u"|"_s},
        {"splash", Reach::Splash, SIGTERM, {}, u"|"_s},
        // The tick and the close come in one pass of the event loop; the address is kept.
        {"mailto poll", Reach::PollTick, SIGTERM, {}, u"|ann@example.com"_s},
        {"compose wait: the page never has the form", Reach::ComposeWait, SIGINT, {}, u"5|"_s},
        {"bridge call: the page's script never yields", Reach::ComposeWait, SIGTERM,
         "<script>for (;;) {}</script>", u"5|"_s},
    };
    // The switches and placement start-up reads; the shutdown must write the same back.
    const QString stored = u"autologin=1\r\nsetmax=0\r\nleft=1500\r\ntop=1500\r\nwidth=6000\r\nheight=4500"_s;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.wait);
        MainFormHarness h("[Settings]\r\n" + stored.toUtf8() + "\r\n");
        Settings &settings = h.settings();
        const auto value = [&](const QString &key) { return settings.GetIni(u"Settings"_s, key, QString()); };
        // The welcome page moves on to a service page, whose address gives the compose page a mailto opens.
        const QString servicePage = h.mainDir() + u"html/hotmail.htm"_s;
        const QString composePage =
            QUrl(*PageModel::composeAddress(QUrl::fromLocalFile(servicePage).toString())).toLocalFile();
        for (const auto &[path, text] : {std::pair{h.mainDir() + u"html/welcome.htm"_s,
                                                   "<script>location.replace('hotmail.htm')</script>"_ba},
                                         {servicePage, "<p>Inbox</p>"_ba},
                                         {composePage, c.composePage}})
            ASSERT_TRUE(text.isEmpty() || TextFile::writeAtomically(path, text).ok);

        QProcess corvalis;
        QStringList arguments{u"--settings"_s, h.iniPath()};
        if (c.reach > Reach::Splash)
            arguments << u"--no-splash"_s;
        const QString map = h.mainDir() + u"widget-map"_s; // the windows shown, which the program lists
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"CORVALIS_WIDGET_MAP"_s, map);
        corvalis.setProcessEnvironment(environment);
        corvalis.start(QStringLiteral(CORVALIS_PATH), arguments);
        const auto send = [&](int signal) { ::kill(pid_t(corvalis.processId()), signal); };
        // The program has its own handler in place: it would die of the signal before.
        const auto handlesSignal = [&] {
            const QByteArray text =
                TextFile::readAll(u"/proc/%1/status"_s.arg(corvalis.processId())).value_or("");
            const QByteArray mask = text.mid(text.indexOf("SigCgt:") + 7).split('\n').value(0).trimmed();
            return (mask.toULongLong(nullptr, 16) >> (c.signal - 1)) & 1;
        };
        ASSERT_TRUE(QTest::qWaitFor(handlesSignal, 20000));
        ASSERT_TRUE(c.reach <= Reach::Splash ||
                    QTest::qWaitFor([&] { return MailtoHandOver::receiverRunning(h.iniPath()); }, 20000));
        if (c.reach == Reach::PollTick) {
            send(SIGSTOP);
            settings.set(Keys::Mailto, u"ann@example.com"_s);
            QTest::qWait(MailtoHandOver::intervalMs + 200); // the tick falls due meanwhile
            send(c.signal);
            send(SIGCONT);
        } else if (c.reach <= Reach::Splash) {
            const auto splashShown = [&] {
                return TextFile::readAll(map).value_or("").contains("\tSplashForm\n");
            };
            ASSERT_TRUE(c.reach == Reach::Building || QTest::qWaitFor(splashShown, 20000));
            send(c.signal);
        } else {
            settings.set(Keys::Mailto, u"ann@example.com"_s);
            ASSERT_TRUE(QTest::qWaitFor([&] { return value(u"bug"_s) == u"5"_s; }, 20000));
            QTest::qWait(1000); // the page has come, and a look into it is under way
            send(c.signal);
        }
        // A wait the signal does not end holds the program for good; a loaded machine may take seconds.
        EXPECT_TRUE(corvalis.waitForFinished(20000));
        EXPECT_EQ(corvalis.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(corvalis.exitCode(), 0);
        for (const QString &line : stored.split(u"\r\n"_s))
            EXPECT_EQ(line.section(u'=', 0, 0) + u'=' + value(line.section(u'=', 0, 0)), line);
        EXPECT_FALSE(value(u"autopos"_s).isEmpty()) << "the shutdown wrote nothing";
        EXPECT_EQ(value(u"bug"_s) + u'|' + value(u"mailto"_s), c.end);
    }
}

namespace {

using Programs = std::vector<std::unique_ptr<QProcess>>;

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
    ASSERT_TRUE(h.showPage(u"/yahoo/inbox"_s));
    h.messages().setFallbackAnswer(Messages::Answer::Yes); // each link's message replaces the last
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

// The programs running on the settings file `ini`, launchers left out.
QList<pid_t> programsOn(const QString &ini) {
    QList<pid_t> pids;
    for (const QString &pid : QDir(u"/proc"_s).entryList({u"[0-9]*"_s}, QDir::Dirs)) {
        const QList<QByteArray> arguments =
            TextFile::readAll(u"/proc/%1/cmdline"_s.arg(pid)).value_or(QByteArray()).split('\0');
        if (arguments.contains(QFile::encodeName(ini)) && !arguments.contains("--mailto"))
            pids << pid_t(pid.toInt());
    }
    return pids;
}

TEST(MailtoQueue, TwentyLaunchersWithNoProgramRunningStartOneThatTakesEveryAddress) {
    MainFormHarness h; // its files and service; the program is the launchers' to start
    // The program opens on the inbox, as after a sign-in: its compose page is the inbox's.
    ASSERT_TRUE(TextFile::writeAtomically(
                    h.mainDir() + u"html/welcome.htm"_s,
                    u"<script>location.replace('%1/yahoo/inbox')</script>"_s.arg(h.sim().baseUrl()).toUtf8())
                    .ok);
    const Programs launchers = startPrograms(20, [&](int i) {
        return QStringList{u"--settings"_s, h.iniPath(), u"--no-splash"_s, u"--mailto"_s,
                           u"mailto:user%1@example.com"_s.arg(i)};
    });
    // Two plain starts at the same time: of all the programs started, one stays.
    const Programs plain = startPrograms(2, [&](int) { return QStringList{u"--settings"_s, h.iniPath()}; });
    // Each launcher writes into the empty key only, and only the program empties it: twenty
    // launchers ended well and an empty key are twenty addresses taken, in the order written.
    EXPECT_TRUE(MainFormHarness::waitFor(
        [&] { return running(launchers) == 0 && h.settings().get(Keys::Mailto).isEmpty(); }, 180000));
    for (const auto &launcher : launchers)
        EXPECT_EQ(launcher->exitCode(), 0) << launcher->readAllStandardError().toStdString();
    // A program started while the first was still starting has ended.
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return programsOn(h.iniPath()).size() == 1; }, 30000));
    QThread::sleep(2);
    EXPECT_EQ(programsOn(h.iniPath()).size(), 1);
    for (const auto &program : plain) // a later start hands over and ends well
        EXPECT_TRUE(program->state() != QProcess::NotRunning || program->exitCode() == 0);
    for (const pid_t pid : programsOn(h.iniPath()))
        ::kill(pid, SIGTERM);
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return programsOn(h.iniPath()).isEmpty(); }));
}

} // namespace
