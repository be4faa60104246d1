#include "base/ini_file.h"

#include "base/text_file.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QString withoutLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// "[name]" after optional blanks; anything after the bracket is ignored. A line without the
// closing bracket is garbage rather than a section, so it cannot capture the keys below it.
std::optional<QString> headerName(QStringView line) {
    QStringView rest = trimBlanks(line);
    if (!rest.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = rest.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimBlanks(rest.sliced(1, close - 1)).toString();
}

} // namespace

IniFile::Line IniFile::parseLine(const QString &text) {
    Line line{text, {}, {}};
    const QStringView content = trimBlanks(text);
    const qsizetype equals = content.indexOf(u'=');
    if (content.startsWith(u';') || equals < 0)
        return line;
    line.key = trimBlanks(content.first(equals)).toString();
    QStringView value = trimBlanks(content.sliced(equals + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    line.value = value.toString();
    return line;
}

IniFile IniFile::parse(const QByteArray &bytes) {
    IniFile ini;
    qsizetype current = -1;
    bool beforeContent = true;
    for (QString &text : TextFile::splitLines(TextFile::decode(bytes))) {
        // A byte-order mark after leading blank lines (files joined together) goes like one at
        // the very start; kept, it would become the start of the file when written back.
        if (beforeContent) {
            qsizetype marks = 0;
            while (marks < text.size() && text[marks] == QChar(0xFEFF))
                ++marks;
            text.remove(0, marks);
        }
        // Blank lines carry nothing; serialize() puts one between sections.
        if (trimBlanks(text).isEmpty())
            continue;
        beforeContent = false;
        if (std::optional<QString> name = headerName(text)) {
            current = ini.m_sections.size();
            const QString folded = fold(*name);
            if (!ini.m_sectionIndex.contains(folded))
                ini.m_sectionIndex.insert(folded, current);
            ini.m_sections.append(Section{text, *name, {}, {}});
        } else if (current < 0) {
            ini.m_preamble.append(text);
        } else {
            ini.addLine(ini.m_sections[current], parseLine(text));
        }
    }
    return ini;
}

QByteArray IniFile::serialize() const {
    QString out;
    const auto put = [&out](const QString &line) {
        out += line;
        out += QLatin1String("\r\n");
    };
    for (const QString &line : m_preamble)
        put(line);
    for (const Section &section : m_sections) {
        if (&section != &m_sections.front())
            out += QLatin1String("\r\n");
        put(section.header);
        for (const Line &line : section.lines)
            put(line.text);
    }
    return TextFile::encode(out);
}

const IniFile::Section *IniFile::findSection(const QString &name) const {
    const auto found = m_sectionIndex.constFind(fold(trimBlanks(name).toString()));
    return found == m_sectionIndex.cend() ? nullptr : &m_sections[*found];
}

void IniFile::addLine(Section &section, Line line) {
    if (!line.key.isEmpty()) {
        const QString folded = fold(line.key);
        if (!section.keyIndex.contains(folded))
            section.keyIndex.insert(folded, section.lines.size());
    }
    section.lines.append(std::move(line));
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const {
    const Section *found = findSection(section);
    if (!found)
        return std::nullopt;
    const auto line = found->keyIndex.constFind(fold(trimBlanks(key).toString()));
    if (line == found->keyIndex.cend())
        return std::nullopt;
    return found->lines[*line].value;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value) {
    const QString sectionName = trimBlanks(withoutLineBreaks(section)).toString();
    const QString keyName = trimBlanks(withoutLineBreaks(key)).toString();
    const QString cleanValue = withoutLineBreaks(value);
    const QString header = u'[' + sectionName + u']';
    // Names the file could not give back (empty, holding '=' or ']', starting with ';' or '[')
    // are not written: the line would read as something else.
    Line line = parseLine(keyName + u'=' + cleanValue);
    if (keyName.isEmpty() || line.key != keyName || headerName(line.text) ||
        headerName(header) != sectionName)
        return;

    auto sectionAt = m_sectionIndex.constFind(fold(sectionName));
    if (sectionAt == m_sectionIndex.cend()) {
        sectionAt = m_sectionIndex.insert(fold(sectionName), m_sections.size());
        m_sections.append(Section{header, sectionName, {}, {}});
    }
    Section &target = m_sections[*sectionAt];
    const auto lineAt = target.keyIndex.constFind(fold(keyName));
    if (lineAt == target.keyIndex.cend()) {
        addLine(target, std::move(line));
        return;
    }
    // The key keeps the spelling it already has in the file.
    Line &old = target.lines[*lineAt];
    old = parseLine(old.key + u'=' + cleanValue);
}

QStringList IniFile::sectionNames() const {
    QStringList names;
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (m_sectionIndex.value(fold(m_sections[i].name)) == i)
            names.append(m_sections[i].name);
    }
    return names;
}

QStringList IniFile::keyNames(const QString &section) const {
    QStringList names;
    const Section *found = findSection(section);
    if (!found)
        return names;
    for (qsizetype i = 0; i < found->lines.size(); ++i) {
        const QString &key = found->lines[i].key;
        if (!key.isEmpty() && found->keyIndex.value(fold(key)) == i)
            names.append(key);
    }
    return names;
}
