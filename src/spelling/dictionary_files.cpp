#include "spelling/dictionary_files.h"

#include "base/text_file.h"
#include "spelling/suggestion_ranking.h"

#include <QFileInfo>

#include <nuspell/finder.hxx>

namespace {

// Far above any real word list; keeps a wrongly chosen huge file from filling memory.
constexpr qint64 maxWordListBytes = 64 * 1024 * 1024;
constexpr qint64 maxMainFileBytes = 64 * 1024;

QString lineValue(const QStringList &lines, QLatin1StringView key) {
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0 && line.first(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.sliced(equals + 1).trimmed();
    }
    return {};
}

bool looksBinary(const QByteArray &bytes) {
    return bytes.contains('\0');
}

// A name is a file stem, never a path that could lead elsewhere.
bool isStem(const QString &name) {
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && name != QLatin1String("..");
}

// The word list `name` beside the main dictionary file, else among the system's word lists.
QString commonWordsFile(const QString &mainFilePath, const QString &name) {
    if (!isStem(name))
        return {};
    for (const QString &folder :
         {QFileInfo(mainFilePath).absolutePath(), QStringLiteral("/usr/share/dict")}) {
        const QFileInfo file(folder + u'/' + name);
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace

DictionaryFiles::MainDictionary DictionaryFiles::locateMain(const QString &mainFilePath) {
    const auto bytes = TextFile::readAll(mainFilePath, maxMainFileBytes);
    if (!bytes)
        return {
            false, QStringLiteral("The main dictionary %1 cannot be read.").arg(mainFilePath), {}, {}, {}};
    const QStringList lines = TextFile::splitLines(TextFile::decode(*bytes));
    const QString name = lineValue(lines, QLatin1StringView("dictionary"));
    if (looksBinary(*bytes) || !isStem(name))
        return {false,
                QStringLiteral("The main dictionary %1 does not name a dictionary.").arg(mainFilePath),
                {},
                {},
                {}};

    std::vector<std::filesystem::path> folders{QFileInfo(mainFilePath).absolutePath().toStdString()};
    nuspell::append_default_dir_paths(folders);
    const auto found = nuspell::search_dirs_for_one_dict(folders, name.toStdString());
    if (found.empty()) {
        const QString package = lineValue(lines, QLatin1StringView("package"));
        QString error = QStringLiteral("The dictionary \"%1\" is not installed.").arg(name);
        if (!package.isEmpty())
            error += QStringLiteral(" Install the package %1 and check again.").arg(package);
        return {false, error, {}, name, {}};
    }
    return {true,
            {},
            QString::fromStdString(found.string()),
            name,
            commonWordsFile(mainFilePath, lineValue(lines, QLatin1StringView("common words")))};
}

QString DictionaryFiles::tryLetters(const QString &affixPath) {
    const auto bytes = TextFile::readAll(affixPath, maxWordListBytes);
    return bytes ? SuggestionRanking::tryLetters(TextFile::decode(*bytes)) : QString();
}

DictionaryFiles::WordList DictionaryFiles::readWordList(const QString &path) {
    if (!QFileInfo::exists(path))
        return {true, {}, {}};
    const auto bytes = TextFile::readAll(path, maxWordListBytes);
    if (!bytes)
        return {false, QStringLiteral("The custom dictionary %1 cannot be read.").arg(path), {}};
    if (looksBinary(*bytes))
        return {false, QStringLiteral("The custom dictionary %1 is not a word list.").arg(path), {}};
    WordList list{true, {}, {}};
    for (const QString &line : TextFile::splitLines(TextFile::decode(*bytes))) {
        const QString word = line.trimmed();
        if (!word.isEmpty())
            list.words.append(word);
    }
    return list;
}

QString DictionaryFiles::appendWord(const QString &path, const QString &word) {
    const QFileInfo info(path);
    // Writing through a new file would replace a file made read-only, even for a user (root) whom
    // the read-only mode does not stop: its mode is asked first.
    if (info.exists() && (!info.isWritable() || !info.permission(QFileDevice::WriteOwner)))
        return QStringLiteral("The file is read-only.");
    QByteArray bytes;
    if (info.exists()) {
        const auto old = TextFile::readAll(path, maxWordListBytes);
        if (!old)
            return QStringLiteral("The file cannot be read.");
        bytes = *old;
        if (!bytes.isEmpty() && !bytes.endsWith('\n'))
            bytes += "\r\n";
    }
    bytes += TextFile::encode(word) + "\r\n";
    const auto written = TextFile::writeAtomically(path, bytes);
    return written.ok ? QString() : written.error;
}
