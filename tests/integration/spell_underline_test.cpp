// Misspelt words underlined as they are typed, and their right-click menu.
#include "main_form_harness.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "spelling/spell_checker.h"
#include "webpages/web_profile.h"

#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>

namespace {

// Right-clicks the word `word` in the element `element` (a text field's first word) until the menu
// lists `wanted`; gives the menu's entries, with `pick` chosen, and last "marked:" and the word
// the engine underlines there.
QStringList menuOnWord(WebPane &pane, const QString &element, const QString &word, const QString &wanted,
                       const QString &pick = {}) {
    QStringList entries;
    MainFormHarness::waitFor([&] {
        const QVariantList xy =
            MainFormHarness::runPageScript(
                pane, u"(() => { const e = %2; const t = e.value !== undefined ? e : null;"
                      "if (t) { const r = t.getBoundingClientRect(); return [r.left + 8, r.top + 10]; }"
                      "const n = document.createTreeWalker(e, NodeFilter.SHOW_TEXT); let node;"
                      "while ((node = n.nextNode())) { const i = node.data.indexOf('%1'); if (i >= 0) {"
                      "const g = document.createRange(); g.setStart(node, i + 1); g.setEnd(node, i + 2);"
                      "const b = g.getBoundingClientRect(); return [b.left, b.top + b.height / 2]; } }"
                      "return [0, 0]; })()"_s.arg(word, element))
                .toList();
        const QPoint at =
            (QPointF(xy.value(0).toDouble(), xy.value(1).toDouble()) * pane.zoomFactor()).toPoint();
        QTest::mouseClick(pane.focusProxy(), Qt::RightButton, {}, at);
        QMenu *menu = nullptr;
        MainFormHarness::waitFor(
            [&] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); }, 3000);
        entries.clear();
        if (!menu)
            return false;
        for (QAction *action : menu->actions()) {
            entries.append(action->text());
            if (!pick.isEmpty() && (action->objectName() == pick || action->text() == pick))
                action->trigger();
        }
        menu->close();
        entries.append(u"marked:"_s + pane.lastContextMenuRequest()->misspelledWord());
        return entries.contains(wanted);
    });
    return entries;
}

} // namespace

TEST(SpellUnderline, TypedWordsAreMarkedInTheEditorAndTheAnswerFieldAndAddReachesTheDialogCheck) {
    MainFormHarness h;
    // A word of the custom dictionary is known to the underlining from the start.
    TextFile::writeAtomically(h.mainDir() + u"mywords.txt"_s, "blorptang\r\n");
    ASSERT_TRUE(h.start());
    EXPECT_TRUE(WebProfile::shared().isSpellCheckEnabled()); // on from the first page, for what is typed
    auto *checker = h.form().findChild<SpellChecker *>(u"VSSpell1"_s);

    h.form().editorPanel()->show();
    EditingSurface &surface = h.form().editor().surface();
    surface.setFocus();
    MainFormHarness::runPageScript(surface, u"document.body.focus()"_s);
    QTest::keyClicks(surface.focusProxy(), u"Teh text zorbix blorptang "_s);
    // The likeliest word first, capital kept, as the spelling dialog offers it.
    const QStringList misspelt =
        menuOnWord(surface, u"document.body"_s, u"Teh"_s, u"The"_s, u"spellIgnore"_s);
    EXPECT_EQ(misspelt.value(0), u"The"_s) << misspelt.join(u'|').toStdString();
    EXPECT_TRUE(misspelt.contains(u"&Add to Dictionary"_s));
    // A word spelled right, in the custom dictionary or ignored is not marked and gets the editor's
    // own menu only.
    for (const QString &known : {u"text"_s, u"blorptang"_s, u"Teh"_s}) {
        const QStringList plain = menuOnWord(surface, u"document.body"_s, known, u"marked:"_s);
        EXPECT_TRUE(plain.contains(u"marked:"_s) && !plain.contains(u"&Add to Dictionary"_s))
            << plain.join(u'|').toStdString();
    }

    // Added from the menu, the word loses its underline and is known to the dialog's check too.
    menuOnWord(surface, u"document.body"_s, u"zorbix"_s, u"&Add to Dictionary"_s, u"spellAdd"_s);
    EXPECT_TRUE(menuOnWord(surface, u"document.body"_s, u"zorbix"_s, u"marked:"_s).contains(u"marked:"_s));
    ASSERT_TRUE(checker->loadDictionaries());
    EXPECT_EQ(checker->engine().check(u"zorbix"_s), SpellEngine::Done);

    WebPane &inbox = h.form().webBrowser(1);
    ASSERT_TRUE(h.showPage(u"/cgi-bin/signin.cgi"_s));
    MainFormHarness::runPageScript(inbox, u"const f = document.forms.qaform.eda; f.value = ''; f.focus()"_s);
    inbox.setFocus();
    QTest::keyClicks(inbox.focusProxy(), u"Mispeled word "_s);
    // The suggestion picked replaces the word, which is then spelled right.
    const QStringList answerMenu =
        menuOnWord(inbox, u"document.forms.qaform.eda"_s, u"Mispeled"_s, u"Misspelled"_s, u"Misspelled"_s);
    EXPECT_TRUE(answerMenu.contains(u"&Add to Dictionary"_s)) << answerMenu.join(u'|').toStdString();
    EXPECT_FALSE(menuOnWord(inbox, u"document.forms.qaform.eda"_s, u"Misspelled"_s, u"Copy"_s)
                     .contains(u"&Add to Dictionary"_s));
    EXPECT_EQ(inbox.formFieldValue(u"qaform"_s, u"eda"_s), u"Misspelled word "_s);
}
