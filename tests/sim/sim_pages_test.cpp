// webmail-sim over real HTTP: addresses, page structure the program depends on, escaping.
#include "support/sim_process.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QStringList matches(const QByteArray &html, const QString &pattern) {
    QStringList found;
    auto it = QRegularExpression(pattern).globalMatch(QString::fromUtf8(html));
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}

TEST(SimPages, PrintsItsLoopbackBaseAddressFirst) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^http://127\\.0\\.0\\.1:[1-9][0-9]*$"))
                    .match(sim.baseUrl())
                    .hasMatch())
        << sim.baseUrl().toStdString();
    EXPECT_EQ(sim.request(QStringLiteral("/")).status, 200);
}

TEST(SimPages, EndsCleanlyOnTerminate) {
    QProcess process;
    process.start(QStringLiteral(WEBMAIL_SIM_PATH), {QStringLiteral("--port"), QStringLiteral("0")});
    ASSERT_TRUE(process.waitForReadyRead(10000));
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

TEST(SimPages, EveryPageIsUtf8HtmlAndHotmailAddressesNeverMentionYahoo) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const QStringList pages = {
        "/",
        "/cgi-bin/signin.cgi",
        "/hotmail/inbox",
        "/hotmail/message?id=1&lang=de",
        "/hotmail/compose",
        "/yahoo/inbox",
        "/yahoo/message?id=2",
        "/yahoo/compose",
        "/blog/post",
        "/blog/inside",
        "/blog/form",
        "/blog/plain",
        "/calendar/yahoo",
        "/calendar/msn",
        "/hotmail/sent?n=1",
    };
    for (const QString &page : pages) {
        SCOPED_TRACE(page.toStdString());
        const SimProcess::Response response = sim.request(page);
        EXPECT_EQ(response.status, 200);
        EXPECT_EQ(response.contentType, "text/html; charset=utf-8");
        if (page.startsWith(QLatin1String("/hotmail"))) {
            for (const QString &address :
                 matches(response.body, QStringLiteral("(?:href|action|src)=\"([^\"]*)\"")))
                EXPECT_FALSE(address.contains(QLatin1String("yahoo"), Qt::CaseInsensitive))
                    << address.toStdString();
        }
    }
    EXPECT_EQ(sim.request(QStringLiteral("/hotmail/message?id=0")).status, 404);
    EXPECT_EQ(sim.request(QStringLiteral("/yahoo/message?id=x")).status, 404);
    EXPECT_EQ(sim.request(QStringLiteral("/no/such/page")).status, 404);
}

// The list form and its check boxes are what ticking a run of messages works on.
TEST(SimPages, MessageListsHaveOneCheckBoxPerMessageInTheProviderForm) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    struct Case {
        const char *path;
        const char *form;
        const char *boxPattern;
    };
    const Case cases[] = {
        {"/yahoo/inbox", "messageList", "<input type=\"checkbox\" name=\"Mid\" value=\"(\\d+)\">"},
        {"/hotmail/inbox", "hotmail", "<input type=\"checkbox\" name=\"msg\\d+\" value=\"(\\d+)\">"},
    };
    for (const Case &c : cases) {
        for (int count : {0, 200}) {
            SCOPED_TRACE(std::string(c.path) + " count " + std::to_string(count));
            const QString path =
                QString::fromLatin1(c.path) + (count ? QStringLiteral("?count=%1").arg(count) : "");
            const QByteArray html = sim.get(path);
            const int expected = count ? count : 30;
            ASSERT_EQ(matches(html, QStringLiteral("<form name=\"(%1)\"").arg(QLatin1String(c.form))).size(),
                      1);
            const QStringList ids = matches(html, QString::fromLatin1(c.boxPattern));
            ASSERT_EQ(ids.size(), expected);
            EXPECT_EQ(ids.first(), "1");
            EXPECT_EQ(ids.last(), QString::number(expected));
            EXPECT_EQ(matches(html, QStringLiteral("<tr class=\"msgrow (unread|read)\"")).size(), expected);
            EXPECT_GT(matches(html, QStringLiteral("<tr class=\"msgrow (unread)\"")).size(), 3);
        }
    }
    EXPECT_EQ(matches(sim.get(QStringLiteral("/hotmail/inbox")), QStringLiteral("name=\"(allbox)\"")).size(),
              1);
}

TEST(SimPages, ContentDependsOnTheMessageIdOnly) {
    SimProcess first;
    SimProcess second;
    ASSERT_TRUE(first.started() && second.started());
    const QByteArray longList = first.get(QStringLiteral("/yahoo/inbox?count=120"));
    EXPECT_EQ(longList, second.get(QStringLiteral("/yahoo/inbox?count=120")));
    // A shorter list is the start of the longer one.
    const QByteArray shortList = first.get(QStringLiteral("/yahoo/inbox?count=40"));
    const QByteArray row40 = "id=\"row40\"";
    const int end = shortList.indexOf("\n", shortList.indexOf(row40));
    const int start = shortList.indexOf("<tr class=\"msgrow");
    EXPECT_TRUE(longList.contains(shortList.mid(start, end - start)));
    EXPECT_EQ(first.get(QStringLiteral("/_sim/message?id=777")),
              second.get(QStringLiteral("/_sim/message?id=777")));
}

TEST(SimPages, ValuesAreEscapedWhereverTheyAppear) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    // Message 22 carries &, <, > and quotes in its sender and subject.
    const QJsonObject message =
        QJsonDocument::fromJson(sim.get(QStringLiteral("/_sim/message?id=22"))).object();
    ASSERT_EQ(message.value("subject").toString(), QStringLiteral("Fish & Chips <Friday> \"special\""));
    for (const char *path : {"/yahoo/message?id=22", "/hotmail/message?id=22", "/yahoo/inbox"}) {
        SCOPED_TRACE(path);
        const QByteArray html = sim.get(QString::fromLatin1(path));
        EXPECT_TRUE(html.contains("Fish &amp; Chips &lt;Friday&gt; &quot;special&quot;"));
        EXPECT_TRUE(html.contains("Tom &amp; Jerry&#39;s Diner"));
        EXPECT_FALSE(html.contains("<Friday>"));
    }
    const QByteArray signIn = sim.post(QStringLiteral("/cgi-bin/signin.cgi"),
                                       "email=%3Cscript%3Ex%3C%2Fscript%3E%40a.b&password=p");
    EXPECT_TRUE(signIn.contains("&lt;script&gt;x&lt;/script&gt;@a.b"));
    EXPECT_FALSE(signIn.contains("<script>"));
}

} // namespace
