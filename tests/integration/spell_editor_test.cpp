// The spell check through the main window: the editor's and the answer field's.
#include "main_form_harness.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "spelling/answer_body_dialog.h"
#include "spelling/spell_checker.h"
#include "spelling/spell_decision_dialog.h"

using Decision = SpellEngine::Decision;

// One window: the editor's check, then the answer field's on the page it left in the inbox.
TEST(SpellTest, TheEditorsCheckSelectsWordsAndPrefersTheInboxSelectionTheAnswerFieldsSavesItsText) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    WebPane &inbox = h.form().webBrowser(1);
    QAction *answerSpell = h.toolAction(u"Toolbar1"_s, u"spell"_s);
    // A page without the answer field says so (the button follows the address, not the content).
    answerSpell->setEnabled(true);
    answerSpell->trigger();
    EXPECT_TRUE(h.messages().last().contains(u"no answer to spell check"_s));
    h.messages().clear();

    h.form().editorPanel()->show();
    EditingSurface &surface = h.form().editor().surface();
    surface.setDocumentHtml(u"<html><body><p>First line</p><p>Second<br>third<br><br>Teh end of lern</p>"
                            "<div>teh</div></body></html>"_s);
    // Each question is answered from `answers`, noting the word and the text the page shows selected.
    QList<SpellCheckRun::Answer> answers{{Decision::ChangeAll, u"The"_s}, {Decision::Change, u"learn"_s}};
    QStringList asked;
    bool clearOfWord = true;
    h.form().findChild<SpellChecker *>(u"VSSpell1"_s)->setAsk([&](SpellEngine &engine, const QRect &word) {
        SpellDecisionDialog dialog(&h.form());
        dialog.fill(engine);
        dialog.placeAwayFrom(word);
        dialog.show();
        clearOfWord = clearOfWord && !dialog.frameGeometry().intersects(word);
        asked.append(engine.misspelledWord() + u'=' +
                     MainFormHarness::runPageScript(surface, u"getSelection().toString()"_s).toString());
        return answers.value(asked.size() - 1);
    });
    QAction *spell = h.form().editorPanel()->findChild<QAction *>(u"spell"_s);
    spell->trigger();

    // "teh" is not "Teh": Change All does not reach it. The third answer cancels: no message.
    EXPECT_EQ(asked, (QStringList{u"Teh=Teh"_s, u"lern=lern"_s, u"teh=teh"_s}));
    EXPECT_TRUE(clearOfWord);
    EXPECT_TRUE(h.messages().shown().isEmpty());
    EXPECT_TRUE(surface.bodyHtml().contains(u"The end of learn</p><div>teh</div>"_s))
        << surface.bodyHtml().toStdString();

    // A selection in the inbox pane is checked instead: the answer page's "Welcome" is spelled right.
    ASSERT_TRUE(h.showPage(u"/cgi-bin/signin.cgi"_s));
    MainFormHarness::runPageScript(inbox,
                                   u"getSelection().selectAllChildren(document.querySelector('h1'))"_s);
    asked.clear();
    spell->trigger();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(h.messages().last(), u"The spelling check is complete."_s);

    // The answer field: the user picks the right suggestion in the decision dialog, presses Change.
    // (The editor is put away first: while it is shown, the browser's button checks its text.)
    h.form().editorPanel()->hide();
    const QHash<QString, QString> wanted{
        {u"Teh"_s, u"The"_s}, {u"lern"_s, u"learn"_s}, {u"languge"_s, u"language"_s}};
    asked.clear();
    h.form().findChild<SpellChecker *>(u"VSSpell1"_s)->setAsk([&](SpellEngine &engine, const QRect &) {
        SpellDecisionDialog dialog;
        dialog.fill(engine);
        asked.append(engine.misspelledWord());
        auto *list = dialog.findChild<QListWidget *>(u"SuggestList"_s);
        list->setCurrentItem(
            list->findItems(wanted.value(engine.misspelledWord()), Qt::MatchExactly).value(0));
        dialog.findChild<QPushButton *>(u"Change"_s)->click();
        return dialog.answer();
    });
    // The dialog is modal: it is driven once it is up (reading the page runs events before that).
    h.driveDialog<AnswerBodyDialog>(
        "vtshilit", [&] { answerSpell->trigger(); },
        [](AnswerBodyDialog &dialog) {
            dialog.CheckButton_Click();
            dialog.DoneButton_Click();
        });

    EXPECT_EQ(
        asked.join(u' ') + u'|' + h.messages().last() + u'|' +
            inbox.formFieldValue(u"qaform"_s, u"eda"_s).value_or(u"-"_s),
        u"Teh lern languge|Spellcheck complete!|The best way to learn a new language is to speak it every day."_s);
}
