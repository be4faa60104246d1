// Searching folders of saved messages off the interface thread.
#include "store/message_search.h"
#include "store/saved_folders.h"
#include "store/saved_message_file.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Store {
    QTemporaryDir dir;
    QString mainDir() const { return dir.path(); }
    // Written plainly: the program's own writer makes every file safe on disk, which is slow.
    void add(const QString &folder, const SavedMessage &message) const {
        QDir().mkpath(SavedFolders::folderPath(mainDir(), folder));
        QFile file(path(folder, SavedMessageFile::fileName(message, MessageKind::Captured)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(SavedMessageFile::content(message));
    }
    QString path(const QString &folder, const QString &name) const {
        return SavedFolders::folderPath(mainDir(), folder) + u'/' + name;
    }
};

SavedMessage message(const QString &from, const QString &subject, const QString &body) {
    return {from, subject, u"12/05/2004 10:31"_s, u"pat@example.com"_s, {}, {}, body};
}

QStringList found(const QFuture<SearchHit> &search) {
    QStringList hits;
    for (const SearchHit &hit : search.results())
        hits.append(hit.folder + u':' + hit.name.from);
    hits.sort();
    return hits;
}

} // namespace

TEST(MessageSearch, FindsByNameOrTextInTheFoldersAsked) {
    Store store;
    store.add(u"Inbox"_s, message(u"Ann"_s, u"Lunch plans"_s, u"see you at noon"_s));
    store.add(u"Inbox"_s, message(u"Bob"_s, u"Report"_s, u"the LUNCH menu"_s));
    store.add(u"Work"_s, message(u"Carl"_s, u"lunch?"_s, u"nothing"_s));
    store.add(u"Work"_s, message(u"Dan"_s, u"Budget"_s, u"lu<b>nch</b> on friday"_s));
    const QStringList both{u"Inbox"_s, u"Work"_s};
    const struct {
        SearchQuery query;
        QStringList expected;
    } cases[] = {
        {{u"lunch"_s, both, false}, {u"Inbox:Ann"_s, u"Work:Carl"_s}},
        {{u"lunch"_s, both, true}, {u"Inbox:Ann"_s, u"Inbox:Bob"_s, u"Work:Carl"_s, u"Work:Dan"_s}},
        {{u"lunch"_s, {u"Work"_s}, true}, {u"Work:Carl"_s, u"Work:Dan"_s}},
        {{u"noon"_s, both, false}, {}},
        {{u"missing folder"_s, {u"Nowhere"_s}, true}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.query.term + u" in "_s + c.query.folders.join(u',')).toStdString());
        QFuture<SearchHit> search = MessageSearch::run(store.mainDir(), c.query, LooseDate::Order::MonthFirst,
                                                       std::make_shared<SearchTally>());
        search.waitForFinished();
        EXPECT_EQ(found(search), c.expected);
    }
}

TEST(MessageSearch, SkipsWhatIsNoMessageAndSaysHowMany) {
    Store store;
    const QString folder = u"Big"_s;
    for (int i = 0; i < 20000; ++i)
        store.add(folder, message(u"Sender %1"_s.arg(i), u"Subject %1"_s.arg(i), u"plain words"_s));
    for (int i = 0; i < 50; ++i) {
        QFile other(store.path(folder, u"notes %1.txt"_s.arg(i)));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    }
    // Files too large to read stand for those that cannot be read (the tests may run as root).
    for (int i = 0; i < 3; ++i) {
        QFile huge(store.path(folder, u"Huge&&h&&d&&%1.htm"_s.arg(i)));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(MessageSearch::maxFileBytes + 1));
    }
    // A 50 MB message is read whole: the term is at its very end.
    store.add(folder, message(u"Large"_s, u"l"_s, QString(50 * 1024 * 1024, u'x') + u" needle"_s));

    for (const QString &term : {u"needle"_s, u".*"_s, u"["_s}) {
        SCOPED_TRACE(term.toStdString());
        const auto tally = std::make_shared<SearchTally>();
        QFuture<SearchHit> search =
            MessageSearch::run(store.mainDir(), {term, {folder}, true}, LooseDate::Order::MonthFirst, tally);
        search.waitForFinished();
        EXPECT_EQ(found(search), term == u"needle"_s ? QStringList{u"Big:Large"_s} : QStringList{});
        EXPECT_EQ(tally->notMessages, 50);
        EXPECT_EQ(tally->unreadable, 3);
    }
}

TEST(MessageSearch, ANewSearchCancelsTheRunningOne) {
    Store store;
    for (int i = 0; i < 2000; ++i)
        store.add(u"Inbox"_s, message(u"Sender %1"_s.arg(i), u"s"_s, u"apple pie"_s));
    store.add(u"Inbox"_s, message(u"Last"_s, u"s"_s, u"cherry pie"_s));
    MessageSearch search(store.mainDir(), LooseDate::Order::MonthFirst);
    QSignalSpy hits(&search, &MessageSearch::hitsFound);
    QSignalSpy finished(&search, &MessageSearch::finished);
    search.start({u"apple"_s, {u"Inbox"_s}, true});
    search.start({u"cherry"_s, {u"Inbox"_s}, true});
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_FALSE(finished.wait(300)); // the first search never reports
    EXPECT_EQ(finished.first().at(0).toInt(), 1);
    int shown = 0;
    for (const QList<QVariant> &batch : hits) {
        for (const SearchHit &hit : batch.at(0).value<QList<SearchHit>>()) {
            EXPECT_EQ(hit.name.from, u"Last"_s);
            ++shown;
        }
    }
    EXPECT_EQ(shown, 1);
    search.start({u"apple"_s, {u"Inbox"_s}, true});
    search.cancel();
    EXPECT_FALSE(finished.wait(300));
}
