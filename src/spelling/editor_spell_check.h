#pragma once

class QWidget;
class SpellChecker;
class WebPane;

// The editor's spell check: the selection in the inbox pane when there is one, else the editor's
// whole document, a word at a time, ending with a message unless the user cancelled.
void SpellCheckEditor(SpellChecker &checker, WebPane &inboxPane, WebPane &editorSurface, QWidget *parent);
