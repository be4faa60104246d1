#pragma once

#include "spelling/spell_engine.h"

#include <QRect>

#include <functional>

class Messages;

// One spell check of a text shown somewhere (a text box, a page, the editor): the engine finds
// each misspelt word, the text's owner shows it, the user decides, and a replacement is written
// back into the owner's text at once, so its offsets keep matching the engine's.
namespace SpellCheckRun {

// The place the checked text lives in. Offsets and lengths are those of the checked text.
struct Target {
    // Shows the word as the selection; gives its place on the screen (global coordinates), so that
    // the decision dialog can stay clear of it.
    std::function<QRect(qsizetype offset, qsizetype length)> selectWord;
    // False when the text there is gone (the page changed meanwhile).
    std::function<bool(qsizetype offset, qsizetype length, const QString &replacement)> replace;
};

struct Answer {
    SpellEngine::Decision decision = SpellEngine::Decision::Cancel;
    QString replacement;
};

// Asks the user about the engine's pending word, shown at `wordPlace`.
using Ask = std::function<Answer(SpellEngine &engine, const QRect &wordPlace)>;

enum class Outcome { Completed, Cancelled };

// Checks `text` to its end or to a cancel. A word that cannot be added to the custom dictionary
// is reported through `messages` and the check goes on.
Outcome run(SpellEngine &engine, const QString &text, const Target &target, const Ask &ask,
            Messages &messages);

} // namespace SpellCheckRun
