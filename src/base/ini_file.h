#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A profile file of `[section]` lines and `key=value` lines, read and written with the Windows
// profile semantics: section and key names compare case-insensitively (the stored spelling is
// kept), blanks around keys and values do not count, a value in matching quotes (" or ') comes
// back without them, and the first of two equal keys or sections wins. Lines that are none of
// these (comments starting with ';', lines before the first section, garbage) and repeated
// sections are ignored by lookups but kept when the file is written back; blank lines are not
// kept, one is written between sections.
class IniFile {
public:
    // Any bytes are accepted: UTF-8 or Windows-1252, lines ended by CR LF, LF or CR.
    static IniFile parse(const QByteArray &bytes);
    // UTF-8 with CR LF line ends, sections and lines in their original order, one blank line
    // between sections.
    QByteArray serialize() const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Changes the first line of `key` in the first section named `section`; a missing key is
    // added at the end of its section, a missing section at the end of the file. Line breaks in
    // the value become spaces, so one value stays one line.
    void setValue(const QString &section, const QString &key, const QString &value);

    // The names as first spelt in the file, in file order; duplicates and garbage left out.
    QStringList sectionNames() const;
    QStringList keyNames(const QString &section) const;

private:
    struct Line {
        QString text;  // as read or as last written, without its line end
        QString key;   // empty for comments and garbage
        QString value; // trimmed, quotes removed
    };
    struct Section {
        QString header; // the "[name]" line as read
        QString name;
        QList<Line> lines;
        QHash<QString, qsizetype> keyIndex; // folded key -> first line holding it
    };

    static Line parseLine(const QString &text);
    static QString fold(const QString &name) { return name.toCaseFolded(); }
    const Section *findSection(const QString &name) const;
    void addLine(Section &section, Line line);

    QStringList m_preamble; // lines before the first section
    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // folded name -> first section of that name
};
