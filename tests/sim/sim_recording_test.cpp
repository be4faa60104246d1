// webmail-sim records what is posted to it: sends from the compose pages, blog posts, sign-ins.
#include "support/sim_process.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace {

// The action of the form named `form` on the page at `path`, as written in the page.
QString formAction(const SimProcess &sim, const QString &path, const QString &form) {
    const QString html = QString::fromUtf8(sim.get(path));
    const QRegularExpression pattern(QStringLiteral("<form name=\"%1\"[^>]*action=\"([^\"]*)\"").arg(form));
    return pattern.match(html).captured(1);
}

QByteArray encoded(const QString &text) {
    return QUrl::toPercentEncoding(text);
}

// Mail merge appends the provider's send parameter to the form's action and submits the form;
// the action's own query has to survive that, and the answer has to come from another address.
TEST(SimRecording, SendFromEachFormKeepsTheActionQueryAndRecordsTheFields) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    struct Case {
        QString page, form, suffix, provider, toField, bodyField, answerPath;
    };
    const Case cases[] = {
        {"/hotmail/compose", "composeform", "&Send.x", "hotmail", "to", "body", "/hotmail/sent"},
        {"/yahoo/compose", "Compose", "&SEND", "yahoo", "To", "Body", "/yahoo/sent"},
        {"/blog/form", "stuffform", "", "blog", "title", "txaBody", "/blog/published"},
        {"/blog/plain", "stuffform", "", "blog", "title", "postBody", "/blog/published"},
    };
    const QString body = QStringLiteral("Dear Ann,\r\n1+1 = 2 & <b>Grüße</b> Привет");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page.toStdString());
        sim.reset();
        const QString action = formAction(sim, c.page, c.form);
        ASSERT_TRUE(action.contains('?')) << action.toStdString();
        // A hidden field ahead of the first named one, as the services had.
        const QByteArray form = "lead=1&" + c.toField.toUtf8() + "=" + encoded("ann@example.com") + "&" +
                                c.bodyField.toUtf8() + "=" + encoded(body) + "&empty=";
        const SimProcess::Response answer = sim.request(action + c.suffix, form);
        EXPECT_EQ(answer.status, 200);
        EXPECT_EQ(answer.url.path(), c.answerPath);
        EXPECT_NE(answer.url, sim.url(c.page));

        const QJsonArray sent = sim.sent();
        ASSERT_EQ(sent.size(), 1);
        const QJsonObject record = sent.first().toObject();
        EXPECT_EQ(record.value("provider").toString(), c.provider);
        EXPECT_EQ(record.value("query").toString(), action.mid(action.indexOf('?') + 1) + c.suffix);
        const QJsonObject fields = record.value("fields").toObject();
        EXPECT_EQ(fields.keys().size(), 4);
        EXPECT_EQ(fields.value(c.toField).toString(), "ann@example.com");
        EXPECT_EQ(fields.value(c.bodyField).toString(), body);
        EXPECT_EQ(fields.value("empty").toString(), "");
    }
}

TEST(SimRecording, ComposeFormsCarryTheFieldsTheProgramWrites) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const QByteArray hotmail = sim.get(QStringLiteral("/hotmail/compose"));
    for (const char *field : {"to", "cc", "bcc", "subject"})
        EXPECT_TRUE(hotmail.contains(QByteArray("<input type=\"text\" name=\"") + field + "\"")) << field;
    EXPECT_TRUE(hotmail.contains("<textarea name=\"body\""));
    const QByteArray yahoo = sim.get(QStringLiteral("/yahoo/compose"));
    EXPECT_TRUE(yahoo.contains("<form name=\"Compose\" id=\"compose\""));
    for (const char *field : {"To", "Cc", "Bcc", "Subj"})
        EXPECT_TRUE(yahoo.contains(QByteArray("<input type=\"text\" name=\"") + field + "\"")) << field;
    EXPECT_TRUE(yahoo.contains("<textarea name=\"Body\""));
    EXPECT_TRUE(yahoo.contains("<div id=\"plainmsg\" contenteditable=\"true\">"));
    EXPECT_TRUE(yahoo.contains("name=\"PlainMsg\""));
    // The rich area and PlainMsg must sit inside the form.
    EXPECT_LT(yahoo.indexOf("name=\"PlainMsg\""), yahoo.indexOf("</form>"));
}

TEST(SimRecording, SignInsAreRecordedAndTheAnswerPageLeadsToBothInboxes) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    struct Case {
        QByteArray form;
        QString email;
        bool yahooFirst;
    };
    const Case cases[] = {
        {"email=pat%40Yahoo.example&password=s+cret", "pat@Yahoo.example", true},
        {"password=x&email=pat%40hotmail.example", "pat@hotmail.example", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.email.toStdString());
        const QByteArray page = sim.post(QStringLiteral("/cgi-bin/signin.cgi"), c.form);
        EXPECT_TRUE(page.contains("<form name=\"qaform\">"));
        EXPECT_TRUE(page.contains("<textarea name=\"eda\" id=\"eda\""));
        const int yahoo = page.indexOf("href=\"/yahoo/inbox\"");
        const int hotmail = page.indexOf("href=\"/hotmail/inbox\"");
        ASSERT_GE(yahoo, 0);
        ASSERT_GE(hotmail, 0);
        EXPECT_EQ(yahoo < hotmail, c.yahooFirst);
    }
    // Showing the page without a post records nothing.
    EXPECT_TRUE(sim.get(QStringLiteral("/cgi-bin/signin.cgi")).contains("name=\"eda\""));
    const QJsonArray signIns = QJsonDocument::fromJson(sim.get(QStringLiteral("/_sim/signins"))).array();
    ASSERT_EQ(signIns.size(), 2);
    EXPECT_EQ(signIns[0].toObject().value("email").toString(), "pat@Yahoo.example");
    EXPECT_EQ(signIns[0].toObject().value("password").toString(), "s cret");
    EXPECT_EQ(signIns[1].toObject().value("email").toString(), "pat@hotmail.example");
}

TEST(SimRecording, ResetForgetsSendsAndSignIns) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    sim.post(QStringLiteral("/cgi-bin/signin.cgi"), "email=a%40b.c&password=p");
    for (int i = 0; i < 3; ++i)
        sim.post(QStringLiteral("/yahoo/send?box=Inbox&SEND"), "To=a%40b.c&Subj=" + QByteArray::number(i));
    const QJsonArray sent = sim.sent();
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[2].toObject().value("fields").toObject().value("Subj").toString(), "2");

    for (const bool viaGet : {false, true}) {
        SCOPED_TRACE(viaGet ? "GET" : "POST");
        if (viaGet)
            sim.get(QStringLiteral("/_sim/reset"));
        else
            sim.reset();
        EXPECT_TRUE(sim.sent().isEmpty());
        EXPECT_EQ(QJsonDocument::fromJson(sim.get(QStringLiteral("/_sim/signins"))).array().size(), 0);
        // Numbering starts again, so the answer page of the next send is /…/sent?n=1.
        const SimProcess::Response answer =
            sim.request(QStringLiteral("/hotmail/send?box=1&Send.x"), "curmbox=1&to=x%40y.z");
        EXPECT_EQ(QUrlQuery(answer.url).queryItemValue("n"), "1");
    }
}

} // namespace
