#include "spelling/spell_languages.h"

namespace {

constexpr SpellLanguages::Language languages[] = {
    {"U.S. English", "american.vtd", nullptr}, {"British English", "british.vtd", "british"},
    {"Dutch", "dutch.vtd", "dutch"},           {"French", "french.vtd", "french"},
    {"German", "german.vtd", "german"},        {"Italian", "italian.vtd", "italian"},
};

bool isSeparator(QChar c) {
    return c == u'/' || c == u'\\';
}

} // namespace

std::span<const SpellLanguages::Language> SpellLanguages::all() {
    return languages;
}

int SpellLanguages::indexForPath(const QString &mainDictionaryPath) {
    // Only the file name: a folder called "german" says nothing about the dictionary in it.
    qsizetype nameStart = mainDictionaryPath.size();
    while (nameStart > 0 && !isSeparator(mainDictionaryPath[nameStart - 1]))
        --nameStart;
    const QString fileName = mainDictionaryPath.sliced(nameStart).toLower();
    int index = 0;
    for (int i = 1; i < int(std::size(languages)); ++i) {
        if (fileName.contains(QLatin1String(languages[i].recognisedWord)))
            index = i;
    }
    return index;
}

QString SpellLanguages::mainDictionaryPath(const QString &mainDir, int index) {
    return fileInMainDir(mainDir, QLatin1String(languages[index].fileName));
}

QString SpellLanguages::fileInMainDir(const QString &mainDir, QLatin1StringView fileName) {
    // Only the separators at the end of the folder become one (in the folder's own style); a leading
    // "//" (a network path) stays.
    qsizetype end = mainDir.size();
    while (end > 1 && isSeparator(mainDir[end - 1]) && isSeparator(mainDir[end - 2]))
        --end;
    QString folder = mainDir.first(end);
    if (!folder.isEmpty() && !isSeparator(folder.back()))
        folder += u'/';
    return folder + fileName;
}
