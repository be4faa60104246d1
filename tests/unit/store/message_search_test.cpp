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

QTemporaryDir store;

// Written plainly, not safely on disk as the program writes, which would be slow.
void add(const QString &folder, const QString &from, const QString &body, const QString &name = {}) {
    const SavedMessage message{from, u"Subject "_s + from, u"12/05/2004"_s, u"pat@x"_s, {}, {}, body};
    QDir().mkpath(SavedFolders::folderPath(store.path(), folder));
    QFile file(SavedFolders::folderPath(store.path(), folder) + u'/' +
               (name.isEmpty() ? SavedMessageFile::fileName(message, MessageKind::Captured) : name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(name.startsWith(u"Huge"_s) ? 1 << 30 : 0));
    file.write(SavedMessageFile::content(message));
}

} // namespace

TEST(MessageSearch, FindsInTheFoldersAskedSkipsWhatIsNoMessageAndCancels) {
    add(u"Inbox"_s, u"Ann Lunch"_s, u"noon"_s);
    add(u"Work"_s, u"Dan"_s, u"lu<b>nch</b> on friday"_s);
    for (int i = 0; i < 20000; ++i)
        add(u"Big"_s, u"Sender %1"_s.arg(i), u"plain words"_s);
    for (int i = 0; i < 50; ++i)
        add(u"Big"_s, {}, {}, u"notes %1.txt"_s.arg(i));
    // Files too large to read stand for those that cannot be read (the tests may run as root).
    for (int i = 0; i < 3; ++i)
        add(u"Big"_s, {}, {}, u"Huge&&h&&d&&%1.htm"_s.arg(i));
    add(u"Big"_s, u"Large"_s, QString(50 * 1024 * 1024, u'x') + u" needle lunch"_s); // read whole
    const QStringList all{u"Inbox"_s, u"Work"_s, u"Big"_s};
    const struct {
        SearchQuery query;
        QString expected; // the hits, then the counts of files that are no message and unreadable
    } cases[] = {
        {{u"lunch"_s, all, false}, u"Inbox:Ann Lunch|50|0"_s},
        {{u"lunch"_s, all, true}, u"Big:Large|Inbox:Ann Lunch|Work:Dan|50|3"_s},
        {{u"lunch"_s, {u"Work"_s, u"Nowhere"_s}, true}, u"Work:Dan|0|0"_s},
        {{u".*"_s, all, true}, u"50|3"_s}, // pattern characters are text
        {{u"["_s, all, true}, u"50|3"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.query.term + u" in "_s + c.query.folders.join(u',')).toStdString());
        const auto tally = std::make_shared<SearchTally>();
        QStringList hits;
        for (const SearchHit &hit :
             MessageSearch::run(store.path(), c.query, LooseDate::Order::MonthFirst, tally).results())
            hits.append(hit.folder + u':' + hit.name.from);
        hits.sort();
        hits << QString::number(tally->notMessages) << QString::number(tally->unreadable);
        EXPECT_EQ(hits.join(u'|'), c.expected);
    }

    // A new search cancels the running one.
    for (int i = 0; i < 2000; ++i)
        add(u"Pies"_s, u"Sender %1"_s.arg(i), u"apple pie"_s);
    add(u"Pies"_s, u"Last"_s, u"cherry pie"_s);
    MessageSearch search(store.path(), LooseDate::Order::MonthFirst);
    QSignalSpy hits(&search, &MessageSearch::hitsFound);
    QSignalSpy finished(&search, &MessageSearch::finished);
    search.start({u"apple"_s, {u"Pies"_s}, true});
    search.start({u"cherry"_s, {u"Pies"_s}, true});
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(finished.wait(300)); // the first search never reports
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(hits.first().at(0).value<QList<SearchHit>>().value(0).name.from, u"Last"_s);
}
