#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Whether a saved message holds the text the user looks for. The term is plain text, never a
// pattern; letter case does not count, accents do (as typed), and any run of blanks and line
// breaks matches any other.
class SearchMatcher {
public:
    explicit SearchMatcher(const QString &term);

    bool isEmpty() const { return m_folded.isEmpty(); }
    // The From, To, Cc, subject and date values of a saved file's header lines as the preview shows
    // them (the captions are no part of them).
    bool matchesHeaders(QByteArrayView fileBytes) const;
    // The message text of a saved file's bytes: the body's words as a reader sees them, tags
    // left out and character references read. A term split by a tag ("hel<b>lo</b>") is found.
    bool matchesText(QByteArrayView fileBytes) const;

    // The visible text of `html` (UTF-8, or else Windows-1252), folded for comparing: tags dropped (a tag
    // that breaks a line leaves a blank), character references decoded, letters case-folded, blank runs made
    // one blank. Scripts, styles and comments are no text.
    static QByteArray foldedText(QByteArrayView html);

private:
    bool matchesFolded(QByteArrayView html) const;

    QString m_term;      // as typed, trimmed
    QByteArray m_folded; // as foldedText would write it
};

// Where `needle` occurs in `text` from `from` on, or -1; far quicker than QByteArrayView::indexOf
// (or memmem) for the short needles of saved message files.
qsizetype findBytes(QByteArrayView text, QByteArrayView needle, qsizetype from = 0);
