// The editor's spell check over the real editing surface and the inbox pane.
#include "main_form_harness.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "spelling/spell_checker.h"
#include "spelling/spell_decision_dialog.h"
#include "webpages/web_pane.h"

#include <QAction>
#include <QFrame>
#include <QPainter>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Decision = SpellEngine::Decision;

namespace {

// The main window with a document in the editor; each question answered from `answers`, noting
// the word, the text the page shows selected, and where the word and the dialog were.
struct EditorSpellCheck {
    explicit EditorSpellCheck(const QString &body) {
        EXPECT_TRUE(h.start());
        h.form().editorPanel()->show();
        surface().setDocumentHtml(u"<html><body>"_s + body + u"</body></html>"_s);
        h.form()
            .findChild<SpellChecker *>(u"VSSpell1"_s)
            ->setAsk([this](SpellEngine &engine, const QRect &word) {
                SpellDecisionDialog dialog(&h.form());
                dialog.fill(engine);
                dialog.placeAwayFrom(word);
                dialog.show();
                clearOfWord = clearOfWord && !dialog.frameGeometry().intersects(word);
                const QString selected =
                    MainFormHarness::runPageScript(surface(), u"getSelection().toString()"_s).toString();
                asked.append(engine.misspelledWord() + u'=' + selected);
                if (asked.size() == 1)
                    screenshot(dialog);
                return answers.value(asked.size() - 1, SpellCheckRun::Answer{Decision::Cancel, {}});
            });
    }
    EditingSurface &surface() { return h.form().editor().surface(); }
    // The window with the dialog over it, when CORVALIS_SCREENSHOTS names a folder.
    void screenshot(QWidget &dialog) {
        const QString folder = qEnvironmentVariable("CORVALIS_SCREENSHOTS");
        if (folder.isEmpty() || shotName.isEmpty())
            return;
        QPixmap shot = h.form().grab();
        QPainter painter(&shot);
        painter.drawPixmap(dialog.geometry().topLeft() - h.form().geometry().topLeft(), dialog.grab());
        painter.end();
        shot.save(folder + u'/' + shotName);
    }
    void pressSpell() { h.form().editorPanel()->findChild<QAction *>(u"spell"_s)->trigger(); }

    MainFormHarness h;
    QList<SpellCheckRun::Answer> answers;
    QStringList asked;
    bool clearOfWord = true;
    QString shotName;
};

} // namespace

TEST(SpellEditorTest, SelectsExactlyEachWordAfterLineBreaksAndWritesChangesBack) {
    EditorSpellCheck check(u"<p>First line</p><p>Second<br>third<br><br>Teh end of lern</p><div>teh</div>"_s);
    check.answers = {{Decision::ChangeAll, u"The"_s}, {Decision::Change, u"learn"_s}};
    check.shotName = u"decision_dialog_editor.png"_s;
    check.pressSpell();

    // "teh" is not "Teh": Change All does not reach it.
    EXPECT_EQ(check.asked, (QStringList{u"Teh=Teh"_s, u"lern=lern"_s, u"teh=teh"_s}));
    EXPECT_TRUE(check.clearOfWord);
    EXPECT_TRUE(check.h.messages().shown().isEmpty()); // the third answer cancelled
    const QString body = check.surface().bodyHtml();
    EXPECT_TRUE(body.contains(u"The end of learn"_s)) << body.toStdString();
    EXPECT_TRUE(body.contains(u"<div>teh</div>"_s)) << body.toStdString();
}

TEST(SpellEditorTest, ChecksTheInboxSelectionFirstAndReportsTheEnd) {
    EditorSpellCheck check(u"<p>Teh editor text</p>"_s);
    WebPane &inbox = check.h.form().webBrowser(1);
    ASSERT_TRUE(check.h.load(inbox, check.h.sim().baseUrl() + u"/cgi-bin/signin.cgi"_s));
    MainFormHarness::runPageScript(inbox, uR"({ const h = document.querySelector('h1');
        const r = document.createRange(); r.selectNodeContents(h);
        getSelection().removeAllRanges(); getSelection().addRange(r); })"_s);
    check.answers = {{Decision::Ignore, {}}};
    check.pressSpell();
    // The answer page's heading "Welcome" is spelled right: nothing is asked.
    EXPECT_TRUE(check.asked.isEmpty());
    EXPECT_EQ(check.h.messages().last(), u"The spelling check is complete."_s);

    // With nothing selected there, the editor's document is checked.
    MainFormHarness::runPageScript(inbox, u"getSelection().removeAllRanges()"_s);
    check.pressSpell();
    EXPECT_EQ(check.asked, (QStringList{u"Teh=Teh"_s}));
    EXPECT_EQ(check.h.messages().shown().size(), 2);
}
