#include "spelling/spell_underline.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace {

// The web engine settles its dictionary folder as it starts, before any window exists; the
// folder is set before main() runs.
void useUserDictionaries() {
    SpellUnderline::useDictionaries(SpellUnderline::userDictionaries());
}
Q_CONSTRUCTOR_FUNCTION(useUserDictionaries)

} // namespace

QString SpellUnderline::shippedDictionaries() {
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QDir::cleanPath(QFileInfo(program).absolutePath() +
                           QStringLiteral("/../share/corvalis-dictionaries"));
}

QString SpellUnderline::userDictionaries() {
    // Made from the shipped files and the user's words, so a cache: nothing is lost with it.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/corvalis/dictionaries");
}

void SpellUnderline::useDictionaries(const QString &folder) {
    if (!qEnvironmentVariableIsEmpty("QTWEBENGINE_DICTIONARIES_PATH"))
        return;
    // The engine passes over a folder that does not exist as it starts.
    QDir().mkpath(folder);
    qputenv("QTWEBENGINE_DICTIONARIES_PATH", QFile::encodeName(folder));
}

void SpellUnderline::apply(QWebEngineProfile &profile, bool on, const QString &name) {
    const bool checks = on && !name.isEmpty();
    if (checks && profile.spellCheckLanguages() != QStringList{name}) {
        // Pages keep the underlines they have under a new dictionary; switched off and on, they
        // drop them and check their text again.
        profile.setSpellCheckEnabled(false);
        profile.setSpellCheckLanguages({name});
    }
    profile.setSpellCheckEnabled(checks);
}
