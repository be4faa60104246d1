#pragma once

#include "spelling/spell_check_run.h"
#include "spelling/spell_engine.h"

#include <QObject>

class Messages;
class Settings;
class QWidget;

// The program's one spell checker: the engine, the paths of the main and custom dictionaries it
// loads (`main_spell_dic`, `custom_spell_dic`), and the way each check asks the user.
class SpellChecker : public QObject {
    Q_OBJECT
public:
    struct Context {
        Settings &settings;
        Messages &messages;
        QString mainDir;
        QString mainDictionary;
        QString customDictionary;
    };
    SpellChecker(Context context, QObject *parent);

    SpellEngine &engine() { return m_engine; }
    Messages &messages() { return m_context.messages; }
    QString mainDir() const { return m_context.mainDir; }
    QString mainDictionary() const { return m_context.mainDictionary; }
    QString customDictionary() const { return m_context.customDictionary; }

    // Takes new dictionary paths: stores them and unloads what is loaded, so that the next check
    // loads the new ones.
    void setDictionaries(const QString &mainDictionary, const QString &customDictionary);
    // Loads the dictionaries that are not loaded yet, reporting what fails; true when a main
    // dictionary is there to check with.
    bool loadDictionaries();

    // Checks `text` in `target`, asking about each word with the decision dialog over `parent`.
    SpellCheckRun::Outcome check(const QString &text, const SpellCheckRun::Target &target, QWidget *parent);
    // Tests answer instead of the user.
    void setAsk(SpellCheckRun::Ask ask) { m_ask = std::move(ask); }

private:
    Context m_context;
    SpellEngine m_engine;
    SpellCheckRun::Ask m_ask;
};
