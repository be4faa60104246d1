// Searching saved messages.
#include "store/message_search.h"
#include "store/saved_folders.h"
#include "store/saved_message_file.h"
#include "store/search_matcher.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir store;

// Written plainly, not safely on disk as the program writes, which would be slow.
void add(const QString &folder, const SavedMessage &message, const QString &name = {}) {
    QDir().mkpath(SavedFolders::folderPath(store.path(), folder));
    QFile file(SavedFolders::folderPath(store.path(), folder) + u'/' +
               (name.isEmpty() ? SavedMessageFile::fileName(message, MessageKind::Captured) : name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(name.startsWith(u"Huge"_s) ? 1 << 30 : 0));
    file.write(SavedMessageFile::content(message));
}
void add(const QString &folder, const QString &from, const QString &body, const QString &name = {}) {
    add(folder, {from, u"Subject "_s + from, u"12/05/2004"_s, u"pat@x"_s, {}, {}, body}, name);
}

} // namespace

TEST(SearchMatcher, FindsTheTextAReaderSees) {
    const struct {
        QString term, body;
        bool found;
    } cases[] = {
        {u"lunch"_s, u"Shall we have LUNCH?"_s, true},
        {u"creme"_s, u"one CRÈME"_s, false}, // accents count as typed
        {u"crème"_s, u"CR&Egrave;ME cr&#232;me cr&#xE8;me"_s, true},
        {u"Tom & a<b"_s, u"Tom &amp; a&lt;b"_s, true},
        {u"end start"_s, u"the end<br>start"_s, true},           // a line-breaking tag parts words
        {u"see you soon"_s, u"see   you\r\n&nbsp;soon"_s, true}, // blank runs match any blank run
        {u"font"_s, u"<font color=red>red</font>"_s, false},     // tags are no text
        {u".*"_s, u"anything at all"_s, false},                  // a pattern character is text
        {u"1 < 2"_s, u"1 < 2 holds, AT&T"_s, true},              // a "<" that opens no tag is text
        {u"kelvin"_s, u"\u212Aelvin"_s, true},
        {u"pomegranate"_s, u"pome granate, pomegranat"_s, false},
    };
    for (const auto &c : cases) {
        const SavedMessage saved{u"Ann <a@x>"_s, u"Plans"_s, u"12/05/2004"_s, u"b@x"_s, {}, {}, c.body};
        EXPECT_EQ(SearchMatcher(c.term).matchesText(SavedMessageFile::content(saved)), c.found)
            << (c.term + u" in "_s + c.body).toStdString();
    }
    // Files written on Windows in its code page, or in UTF-16, are read as such.
    EXPECT_TRUE(SearchMatcher(u"café"_s).matchesText("<div id=body>caf\xe9</div>"));
    const QString utf16 = u"\uFEFFPomegranate"_s;
    EXPECT_TRUE(
        SearchMatcher(u"pomegranate"_s)
            .matchesText(QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2)));
}

const SavedMessage newsletter{
    u"Ann Lee <ann@example.com>"_s,
    u"Newsletter: Q2 - Lunch on Friday? and a subject that runs on past sixty: tangerine"_s,
    u"12/05/2004 10:31"_s,
    u"Someone Longname <someone.long@faraway.example>"_s,
    u"carol@example.org"_s,
    u"bcc@example.org"_s,
    u"go &rarr; there, &alpha;&beta; and &NotEqualTilde; &CounterClockwiseContourIntegral;"_s};

TEST(HeaderSearch, FindsWhatTheMessageShows) {
    const struct {
        QString term;
        bool inHeaders, inText;
    } cases[] = {
        {u"tangerine"_s, true, false},  {u"faraway.example"_s, true, false},
        {u"carol@"_s, true, false},     {u"12/05/2004 10:31"_s, true, false},
        {u"bcc@"_s, false, false},      {u"From:"_s, false, false}, // neither Bcc nor captions
        {u"go → there"_s, false, true}, {u"≂̸ ∳"_s, false, true},
    };
    const QByteArray file = SavedMessageFile::content(newsletter);
    for (const auto &c : cases) {
        const SearchMatcher matcher(c.term);
        EXPECT_EQ(std::pair(matcher.matchesHeaders(file), matcher.matchesText(file)),
                  std::pair(c.inHeaders, c.inText))
            << c.term.toStdString();
    }
}

TEST(MessageSearch, FindsInTheFoldersAskedSkipsWhatIsNoMessageAndCancels) {
    add(u"Inbox"_s, u"Ann Lunch"_s, u"noon"_s);
    add(u"Work"_s, u"Dan"_s, u"lu<b>nch</b> on friday"_s);
    add(u"Headers"_s, newsletter);
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
        // The header values come from the file, not from its shortened name.
        {{u"tangerine"_s, {u"Headers"_s}, false}, u"Headers:Ann Lee  ann@example.com |0|0"_s},
    };
    for (const auto &c : cases) {
        const auto tally = std::make_shared<SearchTally>();
        QStringList hits;
        for (const SearchHit &hit :
             MessageSearch::run(store.path(), c.query, LooseDate::Order::MonthFirst, tally).results())
            hits.append(hit.folder + u':' + hit.name.from);
        hits.sort();
        hits << QString::number(tally->notMessages) << QString::number(tally->unreadable);
        EXPECT_EQ(hits.join(u'|'), c.expected)
            << (c.query.term + u" in "_s + c.query.folders.join(u',')).toStdString();
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
