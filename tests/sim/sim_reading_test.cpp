// The message pages, loaded in a real browser, give up their headers and body under the
// capture's reading rules: Yahoo values searched each from the start of the page text and
// ended by "|" (From) or the line end; Hotmail values read in page order, each running up to
// the next caption, skipping one character after its caption.
#include "support/sim_process.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Headers {
    QString from, to, subject, date;
};

struct Captions {
    QString from, to, third, subject, date;
};

Captions captions(const QJsonObject &table, const char *provider, int language) {
    const QJsonObject kinds = table.value(provider).toObject();
    const auto text = [&](const char *kind) { return kinds.value(kind).toArray().at(language).toString(); };
    return {text("From"), text("To"), text("Third"), text("Subject"), text("Date")};
}

QString cleaned(QString value) {
    value.remove('\t').remove('\r').remove('\n');
    while (value.startsWith(' '))
        value.remove(0, 1);
    while (value.endsWith(' '))
        value.chop(1);
    return value;
}

Headers readYahoo(const QString &text, const Captions &c) {
    const auto value = [&](const QString &caption, QChar terminator) {
        const int at = text.indexOf(caption);
        const int end = at < 0 ? -1 : text.indexOf(terminator, at);
        return end < 0 ? QString() : text.mid(at + caption.size(), end - at - caption.size());
    };
    QString to = value(c.to, '\r');
    if (const int via = to.indexOf(QLatin1String(" via")); via >= 0)
        to.truncate(via);
    return {cleaned(value(c.from, '|')), cleaned(to), cleaned(value(c.subject, '\r')),
            cleaned(value(c.date, '\r'))};
}

Headers readHotmail(const QString &text, const Captions &c) {
    const QString order[] = {c.from, c.third, c.to, c.subject, c.date};
    int at[5];
    int searchFrom = 0;
    for (int i = 0; i < 5; ++i) {
        at[i] = text.indexOf(order[i], searchFrom);
        searchFrom = at[i] < 0 ? 0 : at[i];
    }
    const auto between = [&](int i, int end) {
        const int start = at[i] + order[i].size() + 1;
        return at[i] < 0 || end < start ? QString() : text.mid(start, end - start);
    };
    const int dateEnd = at[4] < 0 ? -1 : text.indexOf('\r', at[4]);
    return {cleaned(between(0, at[2]).remove(QLatin1String("Reply-"))),
            cleaned(between(2, at[3]).remove(QLatin1String("Subject"))),
            cleaned(between(3, at[4]).remove(QLatin1String("Subject"))), cleaned(between(4, dateEnd))};
}

QVariant runScript(QWebEnginePage &page, const QString &script) {
    QEventLoop loop;
    const QPointer<QEventLoop> guard(&loop);
    const auto result = std::make_shared<QVariant>();
    page.runJavaScript(script, [result, guard](const QVariant &value) {
        *result = value;
        if (guard)
            guard->quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return *result;
}

// Page text with CR LF line ends (as the program's bridge delivers it), the body element the
// program takes, and the same body as the browser makes of the sim's own copy of it.
const char *probeScript = R"JS(
(function (provider, bodyKind, body) {
    var found = null;
    if (provider === 'yahoo') {
        found = document.getElementById('message');
    } else {
        var all = document.getElementsByTagName('*');
        for (var i = 0; i < all.length; ++i)
            if (all[i].className === 'rmsg') found = all[i];
    }
    var expected = document.createElement('div');
    if (bodyKind === 'html') expected.innerHTML = body; else expected.textContent = body;
    return JSON.stringify({
        text: document.body.innerText.replace(/\n/g, '\r\n'),
        html: found ? found.innerHTML : null,
        expectedHtml: expected.innerHTML,
        expectedStart: expected.textContent.substring(0, 15)
    });
})(%1, %2, %3))JS";

QString jsString(const QString &text) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

class SimReading : public ::testing::TestWithParam<const char *> {};

TEST_P(SimReading, CaptureRulesReadEveryHeaderAndTheBody) {
    const char *provider = GetParam();
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const QJsonObject table = QJsonDocument::fromJson(sim.get(QStringLiteral("/_sim/labels"))).object();
    const QJsonArray languages = table.value("languages").toArray();
    QWebEnginePage page;

    QList<int> ids;
    for (int id = 1; id <= 30; ++id)
        ids << id;
    ids << 137 << 4242;
    for (int id : ids) {
        const int language = id % languages.size();
        SCOPED_TRACE(std::string(provider) + " message " + std::to_string(id) + " in " +
                     languages[language].toString().toStdString());
        const QJsonObject message =
            QJsonDocument::fromJson(sim.get(QStringLiteral("/_sim/message?id=%1").arg(id))).object();
        QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
        page.load(sim.url(QStringLiteral("/%1/message?id=%2&lang=%3")
                              .arg(provider)
                              .arg(id)
                              .arg(languages[language].toString())));
        ASSERT_TRUE(loaded.wait(10000));
        ASSERT_TRUE(loaded.first().first().toBool());

        const QString bodyKind = message.value("bodyKind").toString();
        const QJsonObject probe =
            QJsonDocument::fromJson(runScript(page, QString::fromLatin1(probeScript)
                                                        .arg(jsString(provider))
                                                        .arg(jsString(bodyKind))
                                                        .arg(jsString(message.value("body").toString())))
                                        .toString()
                                        .toUtf8())
                .object();
        const QString text = probe.value("text").toString();
        ASSERT_FALSE(text.isEmpty());

        const Captions c = captions(table, provider, language);
        const Headers read =
            QLatin1String(provider) == QLatin1String("yahoo") ? readYahoo(text, c) : readHotmail(text, c);
        EXPECT_EQ(read.from, message.value("from").toString());
        EXPECT_EQ(read.to, message.value("to").toString());
        EXPECT_EQ(read.subject, message.value("subject").toString());
        EXPECT_EQ(read.date, message.value("date").toString());

        const bool bodyElementExpected = QLatin1String(provider) == QLatin1String("hotmail") ||
                                         message.value("yahooMessageElement").toBool();
        EXPECT_EQ(!probe.value("html").isNull(), bodyElementExpected);
        if (!bodyElementExpected) {
            // Without the element the capture takes the page text after the headers.
            const int subjectEnd = text.indexOf('\r', text.indexOf(c.subject));
            EXPECT_TRUE(text.mid(subjectEnd).contains(probe.value("expectedStart").toString()));
        } else {
            EXPECT_EQ(probe.value("html").toString(), probe.value("expectedHtml").toString());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Providers, SimReading, ::testing::Values("yahoo", "hotmail"));

} // namespace
