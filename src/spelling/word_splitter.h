#pragma once

#include <QList>
#include <QStringView>

#include <optional>

// Where one word lies in a text, in UTF-16 characters of that text.
struct WordSpan {
    qsizetype offset = 0;
    qsizetype length = 0;
    // The word is followed by a period ("Dr.", "bzw.") or ends in a hyphen ("Kompressions- und"),
    // which a dictionary may know as part of it.
    bool markFollows = false;
    friend bool operator==(const WordSpan &, const WordSpan &) = default;
};

// Finds the words of running text as a reader sees them. Apostrophes between letters belong to
// the word ("don't", "l'homme"); hyphens join the parts of a compound ("well-known"), which is
// checked whole and, when that fails, a part at a time (hyphenParts); runs with digits, all-capital
// words (acronyms), e-mail and web addresses are not words to check.
class WordSplitter {
public:
    // Starts at `from`; a position inside a word starts with the rest of that word.
    explicit WordSplitter(QStringView text, qsizetype from = 0);

    std::optional<WordSpan> next();

    // The parts of a compound between its hyphens that are words to check; the last part keeps
    // the compound's following mark.
    static QList<WordSpan> hyphenParts(QStringView text, const WordSpan &compound);

private:
    // Moves to the next whitespace-delimited chunk that is not an address; false at the end.
    bool enterChunk();

    QStringView m_text;
    qsizetype m_pos = 0;
    qsizetype m_chunkEnd = 0;
};

// Offsets that count a CR LF line break as one position, as a document's text ranges do, from an
// offset that counts every character of `text`.
qsizetype rangePosition(QStringView text, qsizetype offset);
