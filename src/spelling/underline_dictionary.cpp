#include "spelling/underline_dictionary.h"

#include "base/text_file.h"
#include "spelling/spell_underline.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString fileOf(const QString &dictionary) {
    return UnderlineDictionary::engineFolder() + u'/' + dictionary + QStringLiteral(".bdic");
}

// The dictionary as the build converted it, or the engine's folder's own when there is none.
void linkShipped(const QString &name) {
    const QString shipped = SpellUnderline::shippedDictionaries() + u'/' + name + QStringLiteral(".bdic");
    if (QFileInfo::exists(fileOf(name)) || !QFileInfo::exists(shipped))
        return;
    QFile::remove(fileOf(name)); // a link left by a program that has moved
    QFile::link(shipped, fileOf(name));
}

// Copies for older word lists are not needed again once a new one is made; the new one is kept
// for the next start.
void removeOtherVariants(const QString &name, const QString &kept) {
    QDir folder(UnderlineDictionary::engineFolder());
    for (const QString &file : folder.entryList({name + QStringLiteral("-????????.bdic")}, QDir::Files)) {
        if (file != kept + QStringLiteral(".bdic"))
            folder.remove(file);
    }
}

// The words as the dictionary takes them, sorted, each once. A word with a slash would read as
// a word with affix flags; one with a blank is never checked.
QStringList dictionaryWords(QStringList words) {
    words.erase(std::remove_if(words.begin(), words.end(),
                               [](const QString &word) {
                                   return word.isEmpty() || word.contains(u'/') ||
                                          std::any_of(word.begin(), word.end(),
                                                      [](QChar c) { return c.isSpace(); });
                               }),
                words.end());
    words.sort();
    words.removeDuplicates();
    return words;
}

} // namespace

UnderlineDictionary::UnderlineDictionary(QObject *parent)
    : QObject(parent) {}

QString UnderlineDictionary::engineFolder() {
    const QString chosen = qEnvironmentVariable("QTWEBENGINE_DICTIONARIES_PATH");
    return chosen.isEmpty() ? SpellUnderline::userDictionaries() : chosen;
}

QString UnderlineDictionary::variantName(const QString &name, const QStringList &words) {
    const QStringList taken = dictionaryWords(words);
    if (taken.isEmpty())
        return name;
    const QByteArray digest = QCryptographicHash::hash(taken.join(u'\n').toUtf8(), QCryptographicHash::Sha1);
    return name + u'-' + QString::fromLatin1(digest.toHex().first(8));
}

QString UnderlineDictionary::use(const QString &name, const QString &affixPath, const QStringList &words) {
    m_name = name;
    m_affixPath = affixPath;
    m_words = words;
    if (name.isEmpty())
        return name;
    linkShipped(name);
    const QString variant = variantName(name, words);
    if (variant == name || QFileInfo::exists(fileOf(variant)))
        return m_current = variant;
    if (!m_process && !affixPath.isEmpty())
        build();
    // Until the copy is there, the one in use, which lacks only the newest words.
    if (!m_current.startsWith(name + u'-') || !QFileInfo::exists(fileOf(m_current)))
        m_current = name;
    return m_current;
}

void UnderlineDictionary::build() {
    m_building = variantName(m_name, m_words);
    // The converter reads "<stem>.aff", "<stem>.dic" and the words to add from "<stem>.dic_delta".
    m_buildFolder = engineFolder() + QStringLiteral("/.") + m_building;
    QDir(m_buildFolder).removeRecursively();
    QDir().mkpath(m_buildFolder);
    const QString stem = m_buildFolder + u'/' + m_name;
    const QString affix = QFileInfo(m_affixPath).canonicalFilePath();
    QFile::link(affix, stem + QStringLiteral(".aff"));
    QFile::link(affix.chopped(4) + QStringLiteral(".dic"), stem + QStringLiteral(".dic"));
    TextFile::writeAtomically(stem + QStringLiteral(".dic_delta"),
                              (dictionaryWords(m_words).join(u'\n') + u'\n').toUtf8());

    m_process = new QProcess(this);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit && code == 0);
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(false);
    });
    m_process->start(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) +
                         QStringLiteral("/qwebengine_convert_dict"),
                     {stem + QStringLiteral(".dic"), m_buildFolder + QStringLiteral("/out.bdic")});
}

void UnderlineDictionary::finish(bool ok) {
    m_process->deleteLater();
    m_process = nullptr;
    if (ok) {
        QFile::remove(fileOf(m_building));
        ok = QFile::rename(m_buildFolder + QStringLiteral("/out.bdic"), fileOf(m_building));
    }
    QDir(m_buildFolder).removeRecursively();
    const QString wanted = variantName(m_name, m_words);
    if (ok && wanted == m_building) {
        removeOtherVariants(m_name, m_building);
        emit ready(m_current = m_building);
    } else if (wanted != m_building && !QFileInfo::exists(fileOf(wanted))) {
        // Words came or went while this copy was made.
        build();
    }
}
