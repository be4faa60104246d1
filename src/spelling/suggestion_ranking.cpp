#include "spelling/suggestion_ranking.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

enum class Slip { Case, Swap, Doubling, MissingOrExtra, VowelForVowel, Replaced, Other };

struct Difference {
    Slip slip = Slip::Other;
    qsizetype at = 0; // where the words first differ
};

bool isVowel(QChar c) {
    return QStringView(u"aeiouyàáâäèéêëìíîïòóôöùúûü").contains(c);
}

bool doubledAt(QStringView word, qsizetype at) {
    return (at > 0 && word[at - 1] == word[at]) || (at + 1 < word.size() && word[at + 1] == word[at]);
}

// How the typed word `typed` differs from `meant`, both lower-cased.
Difference differenceOf(QStringView typed, QStringView meant) {
    const qsizetype at =
        std::mismatch(typed.begin(), typed.end(), meant.begin(), meant.end()).first - typed.begin();
    const auto sameAfter = [&](qsizetype typedFrom, qsizetype meantFrom) {
        return typed.sliced(std::min(typedFrom, typed.size())) ==
               meant.sliced(std::min(meantFrom, meant.size()));
    };
    if (typed.size() == meant.size()) {
        if (at == typed.size())
            return {Slip::Case, 0};
        if (sameAfter(at + 1, at + 1))
            return {isVowel(typed[at]) && isVowel(meant[at]) ? Slip::VowelForVowel : Slip::Replaced, at};
        if (at + 1 < typed.size() && typed[at] == meant[at + 1] && typed[at + 1] == meant[at] &&
            sameAfter(at + 2, at + 2))
            return {Slip::Swap, at};
    } else if (meant.size() == typed.size() + 1 && sameAfter(at, at + 1)) {
        return {doubledAt(meant, at) ? Slip::Doubling : Slip::MissingOrExtra, at};
    } else if (typed.size() == meant.size() + 1 && sameAfter(at + 1, at)) {
        return {doubledAt(typed, at) ? Slip::Doubling : Slip::MissingOrExtra, at};
    }
    return {Slip::Other, at};
}

// The words one slip (a swap, a letter dropped, added or replaced) from `word`.
QStringList slipsFrom(const QString &word, const QString &letters) {
    QStringList words;
    for (qsizetype i = 0; i + 1 < word.size(); ++i) {
        QString swapped = word;
        std::swap(swapped[i], swapped[i + 1]);
        words.append(swapped);
    }
    for (qsizetype i = 0; i <= word.size(); ++i) {
        if (i < word.size())
            words.append(QString(word).remove(i, 1));
        for (const QChar letter : letters) {
            words.append(QString(word).insert(i, letter));
            if (i < word.size() && word[i] != letter)
                words.append(QString(word).replace(i, 1, letter));
        }
    }
    return words;
}

QString capitalised(QString word) {
    if (!word.isEmpty())
        word[0] = word[0].toUpper();
    return word;
}

// `suggestion` in the case `typed` was written in: a capital first letter, or all capitals.
QString inCaseOf(const QString &typed, const QString &suggestion) {
    if (typed.size() > 1 && typed == typed.toUpper() && typed != typed.toLower())
        return suggestion.toUpper();
    if (!typed.isEmpty() && typed[0].isUpper())
        return capitalised(suggestion);
    return suggestion;
}

} // namespace

QStringList SuggestionRanking::rank(const QString &word, const QStringList &engineSuggestions,
                                    const Language &language, const IsKnown &isKnown) {
    const QString typed = word.toLower();
    QStringList offered;
    for (const QString &suggestion : engineSuggestions)
        offered.append(inCaseOf(word, suggestion));
    if (!language.common.isEmpty()) {
        for (const QString &slip : slipsFrom(typed, language.letters)) {
            for (const QString &form : {slip, capitalised(slip)}) {
                if (language.common.contains(form) && isKnown(form)) {
                    offered.append(inCaseOf(word, form));
                    break;
                }
            }
        }
    }
    offered.removeDuplicates();
    offered.removeAll(word);

    // Sort keys, smallest first: the case alone; one slip, not of the first letter, of a common
    // word, by kind; then the engine's order.
    using Key = std::tuple<int, bool, bool, Slip, qsizetype>;
    std::vector<std::pair<Key, QString>> keyed;
    for (qsizetype i = 0; i < offered.size(); ++i) {
        const QString &suggestion = offered[i];
        const Difference difference = differenceOf(typed, suggestion.toLower());
        const bool common =
            language.common.contains(suggestion) || language.common.contains(suggestion.toLower());
        const int group = difference.slip == Slip::Case ? 0 : difference.slip == Slip::Other ? 2 : 1;
        const bool firstLetter = group == 1 && difference.at == 0 && difference.slip != Slip::Swap;
        keyed.push_back({{group, firstLetter, group == 1 && !common, difference.slip, i}, suggestion});
    }
    std::sort(keyed.begin(), keyed.end());
    QStringList ranked;
    for (const auto &[key, suggestion] : keyed)
        ranked.append(suggestion);
    return ranked;
}

QString SuggestionRanking::tryLetters(QStringView affixText) {
    QString letters;
    for (const QStringView line : affixText.split(u'\n')) {
        if (!line.startsWith(u"TRY"))
            continue;
        for (const QChar c : line.sliced(3).trimmed().toString().toLower()) {
            if ((c.isLetter() || c == u'\'') && !letters.contains(c))
                letters.append(c);
        }
        break;
    }
    return letters;
}
