#include "spelling/editor_spell_check.h"

#include "base/messages.h"
#include "spelling/page_spell_text.h"
#include "spelling/spell_checker.h"

void SpellCheckEditor(SpellChecker &checker, WebPane &inboxPane, WebPane &editorSurface, QWidget *parent) {
    if (!checker.loadDictionaries())
        return;
    PageSpellText selection(inboxPane);
    PageSpellText document(editorSurface);
    PageSpellText *source = &selection;
    QString text = selection.take(PageSpellText::Scope::Selection);
    if (text.trimmed().isEmpty()) {
        source = &document;
        text = document.take(PageSpellText::Scope::Body);
    }
    if (text.trimmed().isEmpty()) {
        checker.messages().inform(QStringLiteral("The document has no text to check."));
        return;
    }
    if (checker.check(text, source->target(), parent) == SpellCheckRun::Outcome::Completed)
        checker.messages().inform(QStringLiteral("The spelling check is complete."));
}
