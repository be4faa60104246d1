#pragma once

#include <QStringView>

#include <optional>

// Where one word lies in a text, in UTF-16 characters of that text.
struct WordSpan {
    qsizetype offset = 0;
    qsizetype length = 0;
    friend bool operator==(const WordSpan &, const WordSpan &) = default;
};

// Finds the words of running text as a reader sees them. Apostrophes between letters belong to
// the word ("don't", "l'homme"); hyphens join words that are checked one by one; runs with digits,
// all-capital words (acronyms), e-mail and web addresses are not words to check.
class WordSplitter {
public:
    // Starts at `from`; a position inside a word starts with the rest of that word.
    explicit WordSplitter(QStringView text, qsizetype from = 0);

    std::optional<WordSpan> next();

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
