// Ticking messages in webmail-sim's message lists, and the settings the checks keep.
#include "main_form_harness.h"

#include "shell/inbox_settings.h"

#include <set>

namespace {

// The list as the page shows it, read independently of the program's own page names.
constexpr char16_t rowsScript[] = u"Array.from(document.querySelectorAll('tr.msgrow'))";

class InboxManagementTest : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.start());
        load(10);
    }

    void load(int count) { ASSERT_TRUE(h.showPage(u"/"_s + GetParam() + u"/inbox?count=%1"_s.arg(count))); }

    WebPane &inbox() { return h.form().webBrowser(1); }

    QVariant page(const QString &script) { return MainFormHarness::runPageScript(inbox(), script); }

    // 1-based positions of the page's own rows for which `condition` on `r` holds, read apart
    // from the program (`text`: the sender, its title and the subject).
    std::set<int> rowsWhere(const QString &condition) {
        std::set<int> rows;
        const QVariantList matches =
            page(QString::fromUtf16(rowsScript) +
                 u".flatMap((r, i) => { const text = r.querySelector('.from').innerText + ' ' + "
                 u"r.querySelector('.from').title + ' ' + r.querySelector('.subject').innerText;"
                 u" return %1 ? [i + 1] : []; })"_s.arg(condition))
                .toList();
        for (const QVariant &row : matches)
            rows.insert(row.toInt());
        return rows;
    }
    std::set<int> ticked() { return rowsWhere(u"r.querySelector('input[type=checkbox]').checked"_s); }

    // Ticks the rows at `positions` ("2,5": 1-based) alone.
    void tick(const QString &positions) {
        page(QString::fromUtf16(rowsScript) +
             u".forEach((r, i) => r.querySelector('input[type=checkbox]').checked = [%1].includes(i + 1))"_s
                 .arg(positions));
    }

    // The list's select-all box (Hotmail "allbox").
    QString selectAll() {
        return u"document.getElementsByName('%1')[0].checked"_s.arg(
            GetParam() == u"hotmail"_s ? u"allbox"_s : u"selectall"_s);
    }
    bool selectAllTicked() { return page(selectAll()).toBool(); }
    void setSelectAll(bool on) { page(selectAll() + (on ? u" = true"_s : u" = false"_s)); }

    MainFormHarness h;
};

} // namespace

TEST_P(InboxManagementTest, TicksRunsFromAnyTabAndLeavesTheSelectAllBoxAlone) {
    // Which boxes a run fills is the range rule's, tested apart; here, the run on the page.
    setSelectAll(false);
    tick(u"2,5,7,9"_s);
    h.form().tabs().select(5);
    h.child<QAction>("mnuTickRange")->trigger();
    EXPECT_EQ(h.form().tabs().selected(), 1);
    EXPECT_EQ(ticked(), (std::set<int>{2, 3, 4, 5, 7, 8, 9}));
    EXPECT_FALSE(selectAllTicked());
    // A press on the window's edge does the same.
    tick(u"3,5"_s);
    QTest::mousePress(&h.form(), Qt::LeftButton, {}, QPoint(2, h.form().height() / 2));
    EXPECT_EQ(ticked(), (std::set<int>{3, 4, 5}));

    setSelectAll(true);
    h.form().tabs().select(2);
    h.child<QAction>("mnuClearTicks")->trigger();
    EXPECT_EQ(h.form().tabs().selected(), 1);
    EXPECT_EQ(ticked(), std::set<int>{});
    EXPECT_TRUE(selectAllTicked());
}

TEST_P(InboxManagementTest, CheckUnreadAndCheckSpamTickTheirMessages) {
    load(40);
    const std::set<int> unread = rowsWhere(u"r.classList.contains('unread')"_s);
    ASSERT_GT(unread.size(), 5u); // so that the limit matters
    // The limits and the spam rules are the tick rules' (tested apart); here, the settings reach them.
    h.child<QComboBox>("ComboUnread")->setCurrentIndex(1);
    h.form().tabs().select(5);
    h.child<QPushButton>("Command1")->click();
    EXPECT_EQ(h.form().tabs().selected(), 1);
    EXPECT_EQ(ticked(), std::set<int>(unread.begin(), std::next(unread.begin(), 5)));

    // With no rule at all, Check Spam says so and offers the keyword list.
    h.messages().queueAnswer(Messages::Answer::Yes);
    h.child<QPushButton>("Command2")->click();
    EXPECT_EQ(h.messages().last(), InboxSettings::nothingToCheckQuestion());
    EXPECT_EQ(h.form().tabs().selected(), TabNavigator::SettingsTab);
    EXPECT_TRUE(h.child<QPlainTextEdit>("TextSpam")->isVisibleTo(&h.form()));

    // A keyword in any case, or 3+ letters of a non-Latin script, in unread messages only; ticked boxes stay.
    h.child<QPushButton>("Command7")->click();
    h.child<QPlainTextEdit>("TextSpam")->setPlainText(u"\n  PRIZE  \n"_s);
    h.child<QCheckBox>("CheckNonEnglish")->setChecked(true);
    const QString spam = u"((text.match(/(?!\\p{Script=Latin})\\p{L}/gu) || []).length >= 3 || "
                         u"text.toLowerCase().includes('prize'))"_s;
    tick(u"1"_s);
    h.child<QCheckBox>("CheckSpamUnread")->setChecked(true);
    h.child<QPushButton>("Command2")->click();
    std::set<int> expected = rowsWhere(spam + u" && r.classList.contains('unread')"_s);
    ASSERT_FALSE(expected.empty());
    expected.insert(1);
    EXPECT_EQ(ticked(), expected);
    // The list has read messages in Cyrillic, Greek and Chinese: "only unread" leaves them out.
    EXPECT_LT(rowsWhere(spam + u" && r.classList.contains('unread')"_s).size(), rowsWhere(spam).size());
}

TEST_P(InboxManagementTest, TheChecksSettingsAreKeptAsFarAsTheyFit) {
    // A box, the list and the keywords: each kind of control keeps its value.
    h.child<QCheckBox>("CheckNonEnglish")->setChecked(true);
    h.child<QComboBox>("ComboUnread")->setCurrentIndex(3);
    h.form().tabs().select(5);
    h.child<QPushButton>("Command7")->click();
    auto *text = h.child<QPlainTextEdit>("TextSpam");
    EXPECT_TRUE(text->isVisibleTo(&h.form()));
    text->setPlainText(u"lottery\ncheap pills\n"_s);
    // A tab change closes the keyword list, which saves it.
    h.form().tabs().select(1);
    EXPECT_FALSE(text->isVisibleTo(&h.form()));
    EXPECT_EQ(h.settings().get(Keys::SpamWords[0]), u"lottery|cheap pills"_s);

    MainForm second(h.settings(), h.messages(), {false, false});
    EXPECT_TRUE(second.findChild<QCheckBox *>(u"CheckNonEnglish"_s)->isChecked());
    EXPECT_EQ(second.findChild<QComboBox *>(u"ComboUnread"_s)->currentIndex(), 3);
    EXPECT_EQ(second.findChild<QPlainTextEdit *>(u"TextSpam"_s)->toPlainText(), u"lottery\ncheap pills"_s);

    QStringList keywords;
    for (int i = 0; i < 200; ++i)
        keywords << u"keyword%1"_s.arg(i, 3, 10, QLatin1Char('0')); // 10 characters each
    h.child<QPushButton>("Command7")->click();
    text->setPlainText(keywords.join(u'\n'));
    h.child<QPushButton>("SpamClose")->click();
    ASSERT_EQ(h.messages().shown().size(), 1);
    // Four values of up to 298 characters hold 27 keywords each, with their separators.
    EXPECT_EQ(h.messages().last(),
              u"The spam keyword list is too long to keep. Only the first 108 keywords were saved."_s);
}

INSTANTIATE_TEST_SUITE_P(Providers, InboxManagementTest, ::testing::Values(u"hotmail"_s, u"yahoo"_s),
                         [](const auto &info) { return info.param.toStdString(); });
