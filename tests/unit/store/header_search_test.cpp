// Searching what the saved message shows: its header values as the file holds them (not the
// shortened, cleaned file name) and its text with every named character reference read.
#include "store/message_search.h"
#include "store/saved_folders.h"
#include "store/saved_message_file.h"
#include "store/search_matcher.h"

#include "base/text_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(HeaderSearch, FindsWhatTheMessageShows) {
    const SavedMessage saved{
        u"Ann Lee <ann@example.com>"_s,
        u"Newsletter: Q2 - Lunch on Friday? and a subject that runs on past sixty: tangerine"_s,
        u"12/05/2004 10:31"_s,
        u"Someone Longname <someone.long@faraway.example>"_s,
        u"carol@example.org"_s,
        u"bcc@example.org"_s,
        u"go &rarr; there, &alpha;&beta; and &NotEqualTilde; &CounterClockwiseContourIntegral;"_s};
    const struct {
        QString term;
        bool inHeaders, inText;
    } cases[] = {
        {u"Lunch on Friday?"_s, true, false},
        {u"Newsletter: Q2"_s, true, false},
        {u"tangerine"_s, true, false},
        {u"faraway.example"_s, true, false},
        {u"carol@"_s, true, false},
        {u"12/05/2004 10:31"_s, true, false},
        {u"bcc@"_s, false, false},
        {u"From:"_s, false, false}, // neither Bcc nor captions
        {u"go → there"_s, false, true},
        {u"αβ"_s, false, true},
        {u"≂̸ ∳"_s, false, true},
    };
    const QByteArray file = SavedMessageFile::content(saved);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.term.toStdString());
        const SearchMatcher matcher(c.term);
        EXPECT_EQ(matcher.matchesHeaders(file), c.inHeaders);
        EXPECT_EQ(matcher.matchesText(file), c.inText);
    }
    // The search without the message text reads the header values from the file.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(SavedFolders::folderPath(dir.path(), u"Inbox"_s)));
    ASSERT_TRUE(TextFile::writeAtomically(SavedFolders::folderPath(dir.path(), u"Inbox"_s) + u'/' +
                                              SavedMessageFile::fileName(saved, MessageKind::Captured),
                                          file)
                    .ok);
    for (const bool messageText : {false, true}) {
        const QList<SearchHit> hits =
            MessageSearch::run(dir.path(), {u"tangerine"_s, {u"Inbox"_s}, messageText},
                               LooseDate::Order::MonthFirst, std::make_shared<SearchTally>())
                .results();
        EXPECT_EQ(hits.size(), 1);
    }
}
