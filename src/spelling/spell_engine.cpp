#include "spelling/spell_engine.h"

#include "spelling/dictionary_files.h"
#include "spelling/word_splitter.h"

#include <nuspell/dictionary.hxx>

#include <algorithm>

namespace {

// Suggestions for longer "words" (pasted data, not writing) would take nuspell far too long.
constexpr qsizetype maxSuggestedWordLength = 100;

// A word that starts a sentence is capitalised; a custom word is written in lower case.
bool listHas(const QSet<QString> &words, QStringView word) {
    const QString asWritten = word.toString();
    if (words.contains(asWritten))
        return true;
    if (word.isEmpty() || !word.front().isUpper())
        return false;
    QString lowered = asWritten;
    lowered[0] = lowered[0].toLower();
    return words.contains(lowered);
}

} // namespace

SpellEngine::SpellEngine() = default;
SpellEngine::~SpellEngine() = default;

SpellEngine::PreparedDictionary SpellEngine::prepareMainDictionary(const QString &mainFilePath) {
    const auto located = DictionaryFiles::locateMain(mainFilePath);
    if (!located.ok)
        return {{false, located.error}, nullptr, {}};
    auto dictionary = std::make_unique<nuspell::Dictionary>();
    try {
        dictionary->load_aff_dic(std::filesystem::path(located.affixPath.toStdString()));
    } catch (const std::exception &error) {
        return {{false, QStringLiteral("The dictionary %1 cannot be loaded: %2")
                            .arg(located.affixPath, QString::fromLocal8Bit(error.what()))},
                nullptr,
                {}};
    }
    SuggestionRanking::Language language{DictionaryFiles::tryLetters(located.affixPath), {}};
    if (!located.commonWordsPath.isEmpty()) {
        const auto common = DictionaryFiles::readWordList(located.commonWordsPath);
        language.common = QSet<QString>(common.words.begin(), common.words.end());
    }
    return {{true, {}}, std::move(dictionary), std::move(language)};
}

SpellEngine::LoadResult SpellEngine::adoptMainDictionary(PreparedDictionary prepared) {
    if (prepared.dictionary) {
        m_mains.push_back({std::move(prepared.dictionary), std::move(prepared.language)});
        m_suggestionCache.clear();
    }
    return prepared.result;
}

SpellEngine::LoadResult SpellEngine::loadMainDictionary(const QString &mainFilePath) {
    return adoptMainDictionary(prepareMainDictionary(mainFilePath));
}

SpellEngine::LoadResult SpellEngine::loadCustomDictionary(const QString &path) {
    const auto list = DictionaryFiles::readWordList(path);
    if (!list.ok)
        return {false, list.error};
    m_customs.push_back({path, QSet<QString>(list.words.begin(), list.words.end())});
    return {true, {}};
}

void SpellEngine::unloadMainDictionary() {
    if (!m_mains.empty())
        m_mains.erase(m_mains.begin());
    m_suggestionCache.clear();
}

void SpellEngine::unloadCustomDictionary() {
    if (!m_customs.empty())
        m_customs.erase(m_customs.begin());
}

QString SpellEngine::customDictionaryPath() const {
    return m_customs.empty() ? QString() : m_customs.front().path;
}

QStringList SpellEngine::customWords() const {
    QStringList words;
    for (const CustomList &list : m_customs)
        words += QStringList(list.words.begin(), list.words.end());
    return words;
}

bool SpellEngine::isKnown(QStringView word) const {
    const QByteArray utf8 = word.toUtf8();
    const std::string_view bytes(utf8.constData(), size_t(utf8.size()));
    for (const Main &main : m_mains) {
        if (main.dictionary->spell(bytes))
            return true;
    }
    return isKnownToCustom(word);
}

bool SpellEngine::isKnownToCustom(QStringView word) const {
    return std::any_of(m_customs.begin(), m_customs.end(),
                       [word](const CustomList &list) { return listHas(list.words, word); });
}

int SpellEngine::check(const QString &text) {
    m_text = text;
    m_ignoreAll.clear();
    m_changeAll.clear();
    m_replaced = false;
    m_replacement.clear();
    m_addError.clear();
    return advance(0);
}

bool SpellEngine::isKnownAt(const WordSpan &span) const {
    const QStringView word = QStringView(m_text).sliced(span.offset, span.length);
    // "Dr." and "Kompressions-" are known with their mark, where the word alone is not.
    if (span.markFollows && isKnown(QStringView(m_text).sliced(span.offset, span.length + 1)))
        return true;
    return isKnown(word) || m_ignoreAll.contains(word.toString());
}

bool SpellEngine::stopsAt(const WordSpan &span) {
    const QStringView word = QStringView(m_text).sliced(span.offset, span.length);
    if (!m_changeAll.isEmpty()) {
        const auto change = m_changeAll.constFind(word.toString());
        if (change != m_changeAll.cend()) {
            m_word = word.toString();
            m_offset = span.offset;
            m_replacement = *change;
            m_code = ChangePending;
            return true;
        }
    }
    if (isKnownAt(span))
        return false;
    m_word = word.toString();
    m_offset = span.offset;
    m_code = WordPending;
    return true;
}

int SpellEngine::advance(qsizetype from) {
    WordSplitter splitter(m_text, from);
    while (const auto span = splitter.next()) {
        const QList<WordSpan> parts = WordSplitter::hyphenParts(m_text, *span);
        // A compound is checked whole first, then a part at a time.
        if (parts.size() == 1 && parts.front() == *span) {
            if (stopsAt(*span))
                return m_code;
        } else if (!isKnownAt(*span)) {
            for (const WordSpan &part : parts) {
                if (stopsAt(part))
                    return m_code;
            }
        }
    }
    m_word.clear();
    return m_code = Done;
}

QStringList SpellEngine::suggestions() {
    return m_code == WordPending ? suggestionsFor(m_word) : QStringList();
}

QStringList SpellEngine::suggestionsFor(const QString &word) {
    if (m_mains.empty() || word.isEmpty() || word.size() > maxSuggestedWordLength)
        return {};
    const auto cached = m_suggestionCache.constFind(word);
    if (cached != m_suggestionCache.cend())
        return *cached;
    QStringList found;
    const QByteArray utf8 = word.toUtf8();
    std::vector<std::string> out;
    for (const Main &main : m_mains) {
        main.dictionary->suggest(std::string_view(utf8.constData(), size_t(utf8.size())), out);
        for (const std::string &suggestion : out)
            found.append(QString::fromStdString(suggestion));
    }
    // Ranked by the first (the main) language's letters and common words.
    found = SuggestionRanking::rank(word, found, m_mains.front().language,
                                    [this](const QString &candidate) { return isKnown(candidate); });
    m_suggestionCache.insert(word, found);
    return found;
}

int SpellEngine::decide(Decision decision, const QString &replacement) {
    if (m_code >= Done || m_code == Cancelled)
        return m_code;
    m_replaced = false;
    m_addError.clear();
    switch (decision) {
    case Decision::ChangeAll:
        m_changeAll.insert(m_word, replacement);
        [[fallthrough]];
    case Decision::Change:
        m_text.replace(m_offset, m_word.size(), replacement);
        m_replaced = true;
        m_replacement = replacement;
        return advance(m_offset + replacement.size());
    case Decision::Add:
        m_addError = addToCustom(m_word);
        [[fallthrough]];
    case Decision::IgnoreAll:
        m_ignoreAll.insert(m_word);
        [[fallthrough]];
    case Decision::Ignore:
        return advance(m_offset + m_word.size());
    case Decision::Cancel:
        break;
    }
    m_word.clear();
    return m_code = Cancelled;
}

QString SpellEngine::addToCustom(const QString &word) {
    if (m_customs.empty())
        return QStringLiteral("No custom dictionary is chosen: choose one in the spell check options.");
    CustomList &list = m_customs.front();
    const QString error = DictionaryFiles::appendWord(list.path, word);
    if (!error.isEmpty())
        return QStringLiteral("\"%1\" cannot be added to the custom dictionary %2. %3")
            .arg(word, list.path, error);
    list.words.insert(word);
    return {};
}
