#pragma once

#include "spelling/spell_check_run.h"

class WebPane;

// The text of a page (the selection, or the whole body) as a spell check sees it, with line breaks
// as CR LF; the words the check reports are selected and replaced in the page itself.
class PageSpellText {
public:
    enum class Scope { Selection, Body };
    explicit PageSpellText(WebPane &pane);

    // The scope's text; empty when there is none (no selection, an empty document).
    QString take(Scope scope);
    SpellCheckRun::Target target();

private:
    WebPane &m_pane;
    QString m_text; // as checked, with the replacements made so far
};
