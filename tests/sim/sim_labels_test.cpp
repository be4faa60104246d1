// The header-caption table as webmail-sim serves it, and the message pages in each language.
#include "support/sim_process.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

QJsonObject labelTable(const SimProcess &sim) {
    return QJsonDocument::fromJson(sim.get(QStringLiteral("/_sim/labels"))).object();
}

QStringList column(const QJsonObject &table, const char *provider, const char *kind) {
    QStringList texts;
    for (const QJsonValue &value : table.value(provider).toObject().value(kind).toArray())
        texts << value.toString();
    return texts;
}

TEST(SimLabels, TableKeepsTheCaptureRulesWorkableAndThePagesFollowIt) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const QJsonObject table = labelTable(sim);
    ASSERT_EQ(table.value("languages").toArray().size(), 8);
    for (const char *provider : {"yahoo", "hotmail"}) {
        SCOPED_TRACE(provider);
        for (const char *kind : {"From", "To", "Third", "Subject", "Date"}) {
            const QStringList texts = column(table, provider, kind);
            ASSERT_EQ(texts.size(), 8) << kind;
            for (const QString &text : texts)
                EXPECT_FALSE(text.trimmed().isEmpty()) << kind;
        }
        // The page's language is found by the first Subject caption that occurs in it.
        const QStringList subjects = column(table, provider, "Subject");
        for (int a = 0; a < subjects.size(); ++a) {
            for (int b = 0; b < subjects.size(); ++b) {
                if (a == b)
                    continue;
                EXPECT_FALSE(subjects[b].contains(subjects[a]))
                    << subjects[a].toStdString() << " in " << subjects[b].toStdString();
            }
        }
    }
    // Hotmail's From value runs up to the To caption with only "Reply-" between them.
    const QStringList thirds = column(table, "hotmail", "Third");
    const QStringList tos = column(table, "hotmail", "To");
    for (int language = 0; language < 8; ++language)
        EXPECT_EQ(thirds[language], "Reply-" + tos[language]);

    // Each language's message pages show its own Subject caption and no other.
    const QJsonArray languages = table.value("languages").toArray();
    for (const char *provider : {"yahoo", "hotmail"}) {
        const QStringList subjects = column(table, provider, "Subject");
        for (int language = 0; language < languages.size(); ++language) {
            const QString code = languages[language].toString();
            // Message 23 shows every header line the provider has, Cc included.
            for (int id : {1, 23}) {
                SCOPED_TRACE(std::string(provider) + " " + code.toStdString() + " message " +
                             std::to_string(id));
                const QString page = QString::fromUtf8(
                    sim.get(QStringLiteral("/%1/message?id=%2&lang=%3").arg(provider).arg(id).arg(code)));
                ASSERT_FALSE(page.isEmpty());
                for (int other = 0; other < subjects.size(); ++other)
                    EXPECT_EQ(page.contains(subjects[other]), other == language)
                        << subjects[other].toStdString();
                for (const char *kind : {"From", "To", "Date"})
                    EXPECT_TRUE(page.contains(column(table, provider, kind)[language])) << kind;
            }
        }
    }
}

} // namespace
