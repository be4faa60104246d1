// Ticking messages in webmail-sim's message lists: runs, clearing, unread and spam, and the
// settings the checks keep.
#include "main_form_harness.h"

#include "shell/tab_navigator.h"

#include "webpages/web_pane.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

using namespace Qt::StringLiterals;

namespace {

// The list as the page shows it, read independently of the program's own page names.
constexpr char16_t rowsScript[] = u"Array.from(document.querySelectorAll('tr.msgrow'))";

class InboxManagementTest : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.start());
        load(10);
    }

    void load(int count) {
        ASSERT_TRUE(
            h.load(inbox(), h.sim().baseUrl() + u"/"_s + GetParam() + u"/inbox?count=%1"_s.arg(count)));
    }

    WebPane &inbox() { return h.form().webBrowser(1); }

    QVariant page(const QString &script) { return MainFormHarness::runPageScript(inbox(), script); }

    // 1-based positions of the ticked message boxes.
    std::set<int> ticked() {
        std::set<int> out;
        const QVariantList boxes = page(QString::fromUtf16(rowsScript) +
                                        u".map(r => r.querySelector('input[type=checkbox]').checked)"_s)
                                       .toList();
        for (int i = 0; i < boxes.size(); ++i) {
            if (boxes[i].toBool())
                out.insert(i + 1);
        }
        return out;
    }

    void tick(const std::set<int> &positions) {
        QStringList list;
        for (int p : positions)
            list << QString::number(p);
        page(QString::fromUtf16(rowsScript) +
             u".forEach((r, i) => r.querySelector('input[type=checkbox]').checked = [%1].includes(i + 1))"_s
                 .arg(list.join(u',')));
    }

    // The list's select-all box (Hotmail "allbox").
    QString selectAll() { return GetParam() == u"hotmail"_s ? u"allbox"_s : u"selectall"_s; }
    bool selectAllTicked() {
        return page(u"document.getElementsByName('%1')[0].checked"_s.arg(selectAll())).toBool();
    }
    void setSelectAll(bool on) {
        page(u"document.getElementsByName('%1')[0].checked = %2"_s.arg(selectAll(),
                                                                       on ? u"true"_s : u"false"_s));
    }

    void trigger(const char *action) {
        h.form().findChild<QAction *>(QString::fromLatin1(action))->trigger();
    }
    template<typename T> T *child(const char *name) {
        return h.form().findChild<T *>(QString::fromLatin1(name));
    }

    MainFormHarness h;
};

} // namespace

TEST_P(InboxManagementTest, TickRangeFillsRunsFromAnyTab) {
    const struct {
        std::set<int> ticked, expected;
    } cases[] = {
        {{2, 6}, {2, 3, 4, 5, 6}},
        {{2, 3, 8}, {2, 3, 4, 5, 6, 7, 8}},
        {{2, 5, 7, 9}, {2, 3, 4, 5, 7, 8, 9}},
        {{4}, {4, 5, 6, 7, 8, 9, 10}},
        {{}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.ticked));
        tick(c.ticked);
        h.form().tabs().select(5);
        trigger("mnuTickRange");
        EXPECT_EQ(h.form().tabs().selected(), 1);
        EXPECT_EQ(ticked(), c.expected);
    }
}

TEST_P(InboxManagementTest, APressOnTheWindowTicksARun) {
    tick({3, 5});
    QTest::mousePress(&h.form(), Qt::LeftButton, {}, QPoint(2, h.form().height() / 2));
    EXPECT_EQ(ticked(), (std::set<int>{3, 4, 5}));
}

TEST_P(InboxManagementTest, TheSelectAllBoxIsNeverTouched) {
    tick({4});
    setSelectAll(false);
    trigger("mnuTickRange");
    EXPECT_EQ(ticked(), (std::set<int>{4, 5, 6, 7, 8, 9, 10}));
    EXPECT_FALSE(selectAllTicked());

    setSelectAll(true);
    h.form().tabs().select(2);
    trigger("mnuClearTicks");
    EXPECT_EQ(h.form().tabs().selected(), 1);
    EXPECT_EQ(ticked(), std::set<int>{});
    EXPECT_TRUE(selectAllTicked());
}

TEST_P(InboxManagementTest, CheckUnreadTicksTheFirstUnreadMessages) {
    load(40);
    const QVariantList unread =
        page(QString::fromUtf16(rowsScript) + u".map(r => r.classList.contains('unread'))"_s).toList();
    std::vector<int> unreadPositions;
    for (int i = 0; i < unread.size(); ++i) {
        if (unread[i].toBool())
            unreadPositions.push_back(i + 1);
    }
    ASSERT_GT(unreadPositions.size(), 5u); // so that the limit matters
    auto *combo = child<QComboBox>("ComboUnread");
    for (int index : {1, 0}) {
        SCOPED_TRACE(index);
        tick({});
        combo->setCurrentIndex(index);
        h.form().tabs().select(5);
        child<QPushButton>("Command1")->click();
        EXPECT_EQ(h.form().tabs().selected(), 1);
        const size_t wanted = index == 0 ? unreadPositions.size() : 5;
        EXPECT_EQ(ticked(), std::set<int>(unreadPositions.begin(), unreadPositions.begin() + wanted));
    }
}

TEST_P(InboxManagementTest, CheckSpamTicksMessagesWithAKeyword) {
    // A word of the third message's subject, typed in another case.
    const QString subject =
        page(QString::fromUtf16(rowsScript) + u"[2].querySelector('.subject').innerText"_s).toString();
    QString keyword;
    for (const QString &word : subject.split(u' ', Qt::SkipEmptyParts)) {
        if (word.size() > keyword.size())
            keyword = word;
    }
    ASSERT_FALSE(keyword.isEmpty());
    child<QPushButton>("Command7")->click();
    child<QPlainTextEdit>("TextSpam")->setPlainText(u"\n  "_s + keyword.toUpper() + u"  \n"_s);
    tick({1});
    child<QPushButton>("Command2")->click();

    const QVariantList matches =
        page(QString::fromUtf16(rowsScript) +
             u".map(r => (r.querySelector('.from').innerText + ' ' + r.querySelector('.from').title + ' ' + "
             u"r.querySelector('.subject').innerText).toLowerCase().includes(%1))"_s.arg(
                 u"'"_s + keyword.toLower().replace(u'\'', u"\\'"_s) + u"'"_s))
            .toList();
    std::set<int> expected{1}; // ticked before: stays ticked
    for (int i = 0; i < matches.size(); ++i) {
        if (matches[i].toBool())
            expected.insert(i + 1);
    }
    EXPECT_TRUE(expected.count(3));
    EXPECT_LT(expected.size(), size_t(matches.size()));
    EXPECT_EQ(ticked(), expected);
}

TEST_P(InboxManagementTest, CheckSpamTicksMessagesInOtherScripts) {
    load(30);
    child<QCheckBox>("CheckNonEnglish")->setChecked(true);
    child<QPlainTextEdit>("TextSpam")->setPlainText(u"prize"_s);
    // Spam here: three or more letters of a script other than Latin in the sender and subject,
    // or the keyword; with "only unread", unread messages alone.
    const auto spamRows = [&](bool onlyUnread) {
        const QVariantList spam =
            page(QString::fromUtf16(rowsScript) +
                 u".map(r => { const text = r.querySelector('.from').innerText + ' ' + "
                 u"r.querySelector('.from').title + ' ' + r.querySelector('.subject').innerText;"
                 u"  const foreign = (text.match(/(?!\\p{Script=Latin})\\p{L}/gu) || []).length >= 3;"
                 u"  return (foreign || text.toLowerCase().includes('prize')) &&"
                 u"         (!%1 || r.classList.contains('unread')); })"_s.arg(onlyUnread ? u"true"_s
                                                                                          : u"false"_s))
                .toList();
        std::set<int> rows;
        for (int i = 0; i < spam.size(); ++i) {
            if (spam[i].toBool())
                rows.insert(i + 1);
        }
        return rows;
    };
    for (bool onlyUnread : {false, true}) {
        SCOPED_TRACE(onlyUnread);
        tick({});
        child<QCheckBox>("CheckSpamUnread")->setChecked(onlyUnread);
        child<QPushButton>("Command2")->click();
        const std::set<int> expected = spamRows(onlyUnread);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(ticked(), expected);
    }
    // The list has read messages in Cyrillic, Greek and Chinese: "only unread" leaves them out.
    EXPECT_LT(spamRows(true).size(), spamRows(false).size());
}

TEST_P(InboxManagementTest, TheChecksSettingsAreKept) {
    child<QCheckBox>("CheckNonEnglish")->setChecked(true);
    child<QCheckBox>("CheckSpamUnread")->setChecked(true);
    child<QComboBox>("ComboUnread")->setCurrentIndex(3);
    h.form().tabs().select(5);
    child<QPushButton>("Command7")->click();
    auto *text = child<QPlainTextEdit>("TextSpam");
    EXPECT_TRUE(text->isVisibleTo(&h.form()));
    text->setPlainText(u"lottery\ncheap pills\n"_s);
    // A tab change closes the keyword list, which saves it.
    h.form().tabs().select(1);
    EXPECT_FALSE(text->isVisibleTo(&h.form()));
    EXPECT_EQ(h.settings().get(Keys::SpamWords[0]), u"lottery|cheap pills"_s);

    MainForm second(h.settings(), h.messages(), {false, false});
    EXPECT_TRUE(second.findChild<QCheckBox *>(u"CheckNonEnglish"_s)->isChecked());
    EXPECT_TRUE(second.findChild<QCheckBox *>(u"CheckSpamUnread"_s)->isChecked());
    EXPECT_EQ(second.findChild<QComboBox *>(u"ComboUnread"_s)->currentIndex(), 3);
    EXPECT_EQ(second.findChild<QPlainTextEdit *>(u"TextSpam"_s)->toPlainText(), u"lottery\ncheap pills"_s);
}

TEST_P(InboxManagementTest, AKeywordListTooLongForTheSettingsFileIsReported) {
    QStringList keywords;
    for (int i = 0; i < 200; ++i)
        keywords << u"keyword%1"_s.arg(i, 3, 10, QLatin1Char('0')); // 10 characters each
    h.form().tabs().select(5);
    child<QPushButton>("Command7")->click();
    child<QPlainTextEdit>("TextSpam")->setPlainText(keywords.join(u'\n'));
    child<QPushButton>("SpamClose")->click();
    ASSERT_EQ(h.messages().shown().size(), 1);
    // Four values of up to 298 characters hold 27 keywords each, with their separators.
    EXPECT_EQ(h.messages().last(),
              u"The spam keyword list is too long to keep. Only the first 108 keywords were saved."_s);
    EXPECT_EQ(h.settings().get(Keys::SpamWords[3]), keywords.mid(81, 27).join(u'|'));
}

INSTANTIATE_TEST_SUITE_P(Providers, InboxManagementTest, ::testing::Values(u"hotmail"_s, u"yahoo"_s),
                         [](const auto &info) { return info.param.toStdString(); });
