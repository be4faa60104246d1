#include "spelling/spell_check_run.h"

#include "base/messages.h"

SpellCheckRun::Outcome SpellCheckRun::run(SpellEngine &engine, const QString &text, const Target &target,
                                          const Ask &ask, Messages &messages) {
    int code = engine.check(text);
    while (code < SpellEngine::Done) {
        if (code == SpellEngine::Cancelled)
            return Outcome::Cancelled;
        const qsizetype offset = engine.wordOffset();
        const QString word = engine.misspelledWord();
        const qsizetype length = word.size();
        const QRect place = target.selectWord(offset, length);
        // A word changed "all" earlier is changed again without asking.
        const Answer answer = code == SpellEngine::ChangePending
                                  ? Answer{SpellEngine::Decision::Change, engine.replacement()}
                                  : ask(engine, place);
        code = engine.decide(answer.decision, answer.replacement);
        if (engine.replaced() && !target.replace(offset, length, engine.replacement()))
            messages.inform(
                QStringLiteral("\"%1\" could not be changed: the text has changed meanwhile.").arg(word));
        if (!engine.addError().isEmpty())
            messages.inform(engine.addError());
    }
    return Outcome::Completed;
}
