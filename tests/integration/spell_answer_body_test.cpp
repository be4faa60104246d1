// The browser toolbar's spell check of the answer field on the sign-in service's answer page.
#include "main_form_harness.h"

#include "spelling/answer_body_dialog.h"
#include "spelling/spell_checker.h"
#include "spelling/spell_decision_dialog.h"
#include "webpages/web_pane.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Saves a picture of `widget` when CORVALIS_SCREENSHOTS names a folder.
void screenshot(QWidget &widget, const QString &name) {
    const QString folder = qEnvironmentVariable("CORVALIS_SCREENSHOTS");
    if (!folder.isEmpty())
        widget.grab().save(folder + u'/' + name);
}

} // namespace

TEST(SpellAnswerBodyTest, CorrectsTheAnswerAndSavesItIntoThePage) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    WebPane &pane = h.form().webBrowser(1);
    QAction *spell = h.form().findChild<QAction *>(u"spell"_s);

    // A page without the answer field says so (the button follows the address, not the page's content).
    spell->setEnabled(true);
    spell->trigger();
    EXPECT_TRUE(h.messages().last().contains(u"no answer to spell check"_s))
        << h.messages().last().toStdString();

    // The user picks the right suggestion in the decision dialog and presses Change.
    const QHash<QString, QString> wanted{
        {u"Teh"_s, u"The"_s}, {u"lern"_s, u"learn"_s}, {u"languge"_s, u"language"_s}};
    QStringList asked;
    auto *checker = h.form().findChild<SpellChecker *>(u"VSSpell1"_s);
    ASSERT_TRUE(checker);
    checker->setAsk([&](SpellEngine &engine, const QRect &) {
        SpellDecisionDialog dialog;
        dialog.fill(engine);
        const QString word = dialog.findChild<QLineEdit *>(u"Misspell"_s)->text();
        asked.append(word);
        auto *list = dialog.findChild<QListWidget *>(u"SuggestList"_s);
        const auto items = list->findItems(wanted.value(word), Qt::MatchExactly);
        if (!items.isEmpty())
            list->setCurrentItem(items.first());
        if (word == u"languge"_s) {
            dialog.show();
            screenshot(dialog, u"decision_dialog_answer.png"_s);
            screenshot(*h.form().findChild<AnswerBodyDialog *>(u"vtshilit"_s), u"answer_body_word.png"_s);
        }
        dialog.findChild<QPushButton *>(u"Change"_s)->click();
        return dialog.answer();
    });

    ASSERT_TRUE(h.load(pane, h.sim().baseUrl() + u"/cgi-bin/signin.cgi"_s));
    ASSERT_TRUE(MainFormHarness::waitFor([&] { return spell->isEnabled(); }));
    QString checked;
    // The dialog is modal: it is driven once it is up (reading the page runs events before that).
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, &h.form(), [&] {
        auto *dialog = h.form().findChild<AnswerBodyDialog *>(u"vtshilit"_s);
        if (!dialog || !dialog->isVisible())
            return;
        driver.stop();
        screenshot(*dialog, u"answer_body_before.png"_s);
        dialog->CheckButton_Click();
        checked = dialog->text()->toPlainText();
        screenshot(*dialog, u"answer_body_after.png"_s);
        dialog->DoneButton_Click();
    });
    driver.start(20);
    spell->trigger();

    EXPECT_EQ(asked, (QStringList{u"Teh"_s, u"lern"_s, u"languge"_s}));
    EXPECT_EQ(h.messages().last(), u"Spellcheck complete!"_s);
    const QString corrected = u"The best way to learn a new language is to speak it every day."_s;
    EXPECT_EQ(checked, corrected);
    EXPECT_EQ(pane.formFieldValue(u"qaform"_s, u"eda"_s), corrected);
}

TEST(SpellAnswerBodyTest, CancelLeavesTheTextAndThePageAsTheyWere) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    WebPane &pane = h.form().webBrowser(1);
    ASSERT_TRUE(h.load(pane, h.sim().baseUrl() + u"/cgi-bin/signin.cgi"_s));
    const auto original = pane.formFieldValue(u"qaform"_s, u"eda"_s);
    ASSERT_TRUE(original);

    SpellChecker &checker = *h.form().findChild<SpellChecker *>(u"VSSpell1"_s);
    int questions = 0;
    checker.setAsk([&](SpellEngine &, const QRect &) {
        ++questions;
        return SpellCheckRun::Answer{
            questions == 1 ? SpellEngine::Decision::Change : SpellEngine::Decision::Cancel, u"The"_s};
    });
    AnswerBodyDialog dialog(checker, pane, *original);
    dialog.CheckButton_Click();
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(h.messages().last(), u"Spell Check Canceled"_s);
    EXPECT_TRUE(dialog.text()->toPlainText().startsWith(u"The best way to lern"_s));
    dialog.findChild<QPushButton *>(u"Command1"_s)->click();
    EXPECT_EQ(pane.formFieldValue(u"qaform"_s, u"eda"_s), original);
}
