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

} // namespace

Delimiter delimiterForPath(const QString &path) {
    return path.contains(QLatin1String(".txt"), Qt::CaseInsensitive) ? Delimiter::Tab : Delimiter::Comma;
}

Delimiter sniffDelimiter(QStringView header) {
    qsizetype commas = 0;
    qsizetype semicolons = 0;
    bool quoted = false;
    for (const QChar c : header) {
        if (c == quote)
            quoted = !quoted;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? Delimiter::Semicolon : Delimiter::Comma;
}

QString toTabbed(QStringView line, Delimiter delimiter) {
    if (delimiter == Delimiter::Tab)
        return line.toString();
    const QChar sep = separator(delimiter);
    QString out;
    out.reserve(line.size());
    bool quoted = false;
    const qsizetype size = line.size();
    qsizetype runStart = 0; // plain characters are copied in runs
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = line[i];
        if (c != quote && c != tab && c != sep)
            continue;
        out.append(line.sliced(runStart, i - runStart));
        runStart = i + 1;
        if (c == quote) {
            if (quoted && i + 1 < size && line[i + 1] == quote) {
                out += quote;
                runStart = ++i + 1;
            } else {
                quoted = !quoted;
            }
        } else if (c == tab) {
            out += u' ';
        } else {
            out += quoted ? sep : tab;
        }
    }
    out.append(line.sliced(runStart));
    return out;
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
