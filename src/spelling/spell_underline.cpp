#include "spelling/spell_underline.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace {

// The web engine settles its dictionary folder as it starts, before any window exists; the
// folder is set before main() runs.
void useUserDictionaries() {
    // The engine passes over a folder that does not exist as it starts.
    QDir().mkpath(SpellUnderline::userDictionaries());
    SpellUnderline::useDictionaries(SpellUnderline::userDictionaries());
}
Q_CONSTRUCTOR_FUNCTION(useUserDictionaries)

} // namespace

QString SpellUnderline::dictionariesBeside(const QString &binaryDir) {
    return QDir::cleanPath(binaryDir + QStringLiteral("/../share/corvalis-dictionaries"));
}

QString SpellUnderline::shippedDictionaries() {
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return dictionariesBeside(QFileInfo(program).absolutePath());
}

QString SpellUnderline::userDictionaries() {
    // Made from the shipped files and the user's words, so a cache: nothing is lost with it.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/corvalis/dictionaries");
}

void SpellUnderline::useDictionaries(const QString &folder) {
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DICTIONARIES_PATH"))
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
