#include "spelling/word_splitter.h"

#include <algorithm>

namespace {

bool isSpace(QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control;
}

// Letters and the combining marks of decomposed accents; a surrogate pair is judged as one.
bool isLetterAt(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
        return QChar::isLetter(code) || QChar::isMark(code);
    }
    if (c.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())
        return isLetterAt(text, i - 1);
    return c.isLetter() || c.isMark();
}

bool isApostrophe(QChar c) {
    return c == u'\'' || c == u'\u2019' || c == u'\u02BC';
}

// A chunk that is an e-mail or web address, which no dictionary knows.
bool isAddress(QStringView chunk) {
    return chunk.contains(u'@') || chunk.contains(u"://") || chunk.startsWith(u"www.", Qt::CaseInsensitive);
}

bool isAllCapitals(QStringView word) {
    int capitals = 0;
    for (QChar c : word) {
        if (c.isLower())
            return false;
        if (c.isUpper())
            ++capitals;
    }
    return capitals > 1;
}

bool isWordCharAt(QStringView text, qsizetype i) {
    return isLetterAt(text, i) || text[i].isDigit();
}

// Runs with digits and acronyms are not checked.
bool isCheckedPart(QStringView word) {
    return !word.isEmpty() && !std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); }) &&
           !isAllCapitals(word);
}

} // namespace

WordSplitter::WordSplitter(QStringView text, qsizetype from)
    : m_text(text)
    , m_pos(from) {
    // The chunk around `from` decides whether it is an address, so its start matters too.
    qsizetype start = from;
    while (start > 0 && !isSpace(m_text[start - 1]))
        --start;
    m_chunkEnd = from;
    while (m_chunkEnd < m_text.size() && !isSpace(m_text[m_chunkEnd]))
        ++m_chunkEnd;
    if (isAddress(m_text.sliced(start, m_chunkEnd - start)))
        m_pos = m_chunkEnd;
}

bool WordSplitter::enterChunk() {
    while (m_pos < m_text.size()) {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos]))
            ++m_pos;
        m_chunkEnd = m_pos;
        while (m_chunkEnd < m_text.size() && !isSpace(m_text[m_chunkEnd]))
            ++m_chunkEnd;
        if (m_chunkEnd > m_pos && !isAddress(m_text.sliced(m_pos, m_chunkEnd - m_pos)))
            return true;
        m_pos = m_chunkEnd;
    }
    return false;
}

std::optional<WordSpan> WordSplitter::next() {
    for (;;) {
        if (m_pos >= m_chunkEnd && !enterChunk())
            return std::nullopt;
        // Skip to the start of a run of letters and digits.
        while (m_pos < m_chunkEnd && !isWordCharAt(m_text, m_pos))
            ++m_pos;
        if (m_pos >= m_chunkEnd)
            continue;
        const qsizetype start = m_pos;
        bool compound = false;
        while (m_pos < m_chunkEnd) {
            const QChar c = m_text[m_pos];
            if (isApostrophe(c)) {
                // Only an apostrophe with a letter on both sides is inside the word.
                if (m_pos + 1 >= m_chunkEnd || !isLetterAt(m_text, m_pos + 1))
                    break;
            } else if (c == u'-') {
                if (m_pos + 1 >= m_chunkEnd || !isWordCharAt(m_text, m_pos + 1))
                    break;
                compound = true;
            } else if (!isWordCharAt(m_text, m_pos)) {
                break;
            }
            ++m_pos;
        }
        const bool mark = m_pos < m_chunkEnd && (m_text[m_pos] == u'.' || m_text[m_pos] == u'-');
        const WordSpan span{start, m_pos - start, mark};
        if (compound ? !hyphenParts(m_text, span).isEmpty()
                     : isCheckedPart(m_text.sliced(span.offset, span.length)))
            return span;
    }
}

QList<WordSpan> WordSplitter::hyphenParts(QStringView text, const WordSpan &compound) {
    QList<WordSpan> parts;
    const qsizetype end = compound.offset + compound.length;
    for (qsizetype start = compound.offset; start < end;) {
        qsizetype stop = start;
        while (stop < end && text[stop] != u'-')
            ++stop;
        if (isCheckedPart(text.sliced(start, stop - start)))
            parts.append({start, stop - start, stop == end && compound.markFollows});
        start = stop + 1;
    }
    return parts;
}

qsizetype rangePosition(QStringView text, qsizetype offset) {
    const QStringView before = text.first(std::min(offset, text.size()));
    return offset - before.count(u"\r\n");
}
