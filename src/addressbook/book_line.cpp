#include "addressbook/book_line.h"

namespace BookLine {

namespace {

constexpr QChar quote = u'"';
constexpr QChar tab = u'\t';

QChar separator(Delimiter delimiter) {
    switch (delimiter) {
    case Delimiter::Comma:
        return u',';
    case Delimiter::Semicolon:
        return u';';
    case Delimiter::Tab:
        break;
    }
    return tab;
}

bool breaksLine(QChar c) {
    return c == tab || c == u'\r' || c == u'\n';
}

bool endsLine(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Where the line that holds `pos` ends: at its CR or LF, or at the end of the text.
qsizetype lineEnd(QStringView text, qsizetype pos) {
    while (pos < text.size() && !endsLine(text[pos]))
        ++pos;
    return pos;
}

// The length of the line end at `i` (CR LF counts as one).
qsizetype lineEndLength(QStringView text, qsizetype i) {
    return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
}

enum class Breaks { InsideQuotes, EndRecord };

struct Record {
    QString tabbed;
    bool openAtEnd = false; // the text ended inside a quoted part
};

// One record from `pos`; see readRecord. With Breaks::EndRecord every line end ends the record.
Record readQuoted(QStringView text, qsizetype &pos, QChar sep, Breaks breaks) {
    QString out;
    // Most records are one line and shrink when read: the rows of a large book stay compact.
    out.reserve(lineEnd(text, pos) - pos);
    const qsizetype size = text.size();
    bool quoted = false;
    bool fieldQuoted = false; // the field began with a quote
    bool reopened = false;    // the quoted part opened again after it closed
    qsizetype fieldStart = pos;
    qsizetype runStart = pos; // plain characters are copied in runs
    qsizetype i = pos;
    for (; i < size; ++i) {
        const QChar c = text[i];
        if (c != quote && c != tab && c != sep && !endsLine(c))
            continue;
        out.append(text.sliced(runStart, i - runStart));
        runStart = i + 1;
        if (c == quote) {
            if (quoted && i + 1 < size && text[i + 1] == quote) {
                out += quote;
                runStart = ++i + 1;
            } else if (quoted || i == fieldStart || fieldQuoted) {
                // Books written before quotes were doubled hold bare quotes inside quoted fields:
                // within a field that began quoted each one still opens or closes a quoted part.
                reopened = !quoted && i != fieldStart;
                quoted = !quoted;
                fieldQuoted = true;
            } else {
                out += quote; // a quote inside an unquoted field is text: 5'11" or Robert "Bob" Smith
            }
        } else if (c == tab) {
            out += u' ';
        } else if (c == sep) {
            if (quoted) {
                out += sep;
            } else {
                out += tab;
                fieldStart = i + 1;
                fieldQuoted = false;
            }
        } else if (quoted && !reopened && breaks == Breaks::InsideQuotes) {
            out += u' ';
            i += lineEndLength(text, i) - 1;
            runStart = i + 1;
        } else {
            pos = i + lineEndLength(text, i);
            return {out, false};
        }
    }
    out.append(text.sliced(runStart, i - runStart));
    pos = size;
    return {out, quoted};
}

} // namespace

Delimiter delimiterForPath(const QString &path) {
    return path.contains(QLatin1String(".txt"), Qt::CaseInsensitive) ? Delimiter::Tab : Delimiter::Comma;
}

Delimiter sniffDelimiter(QStringView header) {
    const auto fields = [header](Delimiter delimiter) {
        qsizetype pos = 0;
        return readRecord(header, pos, delimiter).count(tab);
    };
    const qsizetype commas = fields(Delimiter::Comma);
    const qsizetype semicolons = fields(Delimiter::Semicolon);
    if (semicolons > commas)
        return Delimiter::Semicolon;
    if (commas == 0 && semicolons == 0 && fields(Delimiter::Tab) > 0)
        return Delimiter::Tab;
    return Delimiter::Comma;
}

QString readRecord(QStringView text, qsizetype &pos, Delimiter delimiter) {
    if (delimiter == Delimiter::Tab) {
        const qsizetype end = lineEnd(text, pos);
        const QString line = text.sliced(pos, end - pos).toString();
        pos = end < text.size() ? end + lineEndLength(text, end) : end;
        return line;
    }
    const qsizetype start = pos;
    Record record = readQuoted(text, pos, separator(delimiter), Breaks::InsideQuotes);
    if (record.openAtEnd) {
        // A quoted part still open at the end of the file was a stray quote, not a field that
        // runs over lines: the record is read as one line, so the contacts after it stay apart.
        pos = start;
        record = readQuoted(text, pos, separator(delimiter), Breaks::EndRecord);
    }
    return record.tabbed;
}

QString toTabbed(QStringView line, Delimiter delimiter) {
    qsizetype pos = 0;
    return readRecord(line, pos, delimiter);
}

void appendLine(QString &out, std::span<const QStringView> fields, Delimiter delimiter) {
    const bool quoting = delimiter != Delimiter::Tab;
    const QChar sep = separator(delimiter);
    bool first = true;
    for (const QStringView field : fields) {
        if (!first)
            out += sep;
        first = false;
        if (quoting)
            out += quote;
        qsizetype runStart = 0; // plain characters are copied in runs
        for (qsizetype i = 0; i < field.size(); ++i) {
            const QChar c = field[i];
            if (!breaksLine(c) && !(quoting && c == quote))
                continue;
            out.append(field.sliced(runStart, i - runStart));
            runStart = i + 1;
            if (c == quote)
                out += QLatin1String("\"\"");
            else
                out += u' ';
        }
        out.append(field.sliced(runStart));
        if (quoting)
            out += quote;
    }
}

QString joinLine(std::span<const QStringView> fields, Delimiter delimiter) {
    QString out;
    appendLine(out, fields, delimiter);
    return out;
}

QStringView editedCell(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (breaksLine(text[i]))
            return text.first(i);
    }
    return text;
}

QString cleanCell(QStringView text) {
    QString out = text.toString();
    for (QChar &c : out) {
        if (breaksLine(c))
            c = u' ';
    }
    return out;
}

} // namespace BookLine
