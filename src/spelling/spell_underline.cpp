#include "spelling/spell_underline.h"

#include <QDir>
#include <QFileInfo>
#include <QWebEngineProfile>

namespace {

// The web engine settles its dictionary folder as it starts, before any window exists; the
// folder is set before main() runs, from the program's own path.
void useDictionariesBesideProgram() {
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!program.isEmpty())
        SpellUnderline::useDictionaries(
            SpellUnderline::dictionariesBeside(QFileInfo(program).absolutePath()));
}
Q_CONSTRUCTOR_FUNCTION(useDictionariesBesideProgram)

} // namespace

QString SpellUnderline::dictionariesBeside(const QString &binaryDir) {
    return QDir::cleanPath(binaryDir + QStringLiteral("/../share/corvalis-dictionaries"));
}

void SpellUnderline::useDictionaries(const QString &folder) {
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DICTIONARIES_PATH"))
        qputenv("QTWEBENGINE_DICTIONARIES_PATH", QFile::encodeName(folder));
}

void SpellUnderline::apply(QWebEngineProfile &profile, bool on, const QString &name) {
    const bool checks = on && !name.isEmpty();
    if (checks)
        profile.setSpellCheckLanguages({name});
    profile.setSpellCheckEnabled(checks);
}
