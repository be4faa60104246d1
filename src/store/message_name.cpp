#include "store/message_name.h"

#include <QStringList>

namespace {

QString withoutLeadingSpaces(QStringView text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return text.sliced(start).toString();
}

// The file name keeps ":" and "/" of a date as "^" and "#".
QString restoredDate(QString part) {
    part.replace(u'^', u':');
    part.replace(u'#', u'/');
    return part;
}

} // namespace

QString MessageName::listedSubject(const QString &part) {
    QString subject = withoutLeadingSpaces(part);
    subject.replace(QLatin1String("re "), QLatin1String("re: "));
    subject.replace(QLatin1String("Re "), QLatin1String("Re: "));
    subject.replace(QLatin1String("RE "), QLatin1String("RE: "));
    return subject;
}

QString MessageName::listedDate(const QString &part) {
    QString date = restoredDate(withoutLeadingSpaces(part));
    const qsizetype colon = date.indexOf(u':');
    if (colon < 0)
        return date;
    date.truncate(colon + 1);
    const qsizetype space = date.lastIndexOf(u' ');
    if (space >= 0) {
        date.truncate(space);
        while (date.endsWith(u' '))
            date.chop(1);
    }
    return date;
}

std::optional<MessageName> MessageName::parse(const QString &fileName, LooseDate::Order order) {
    const QStringList parts = QStringView(fileName)
                                  .chopped(qMin<qsizetype>(4, fileName.size()))
                                  .toString()
                                  .split(QLatin1String("&&"));
    if (parts.size() < 4)
        return std::nullopt;
    MessageName name;
    name.from = parts[0];
    name.subject = listedSubject(parts[1]);
    name.to = withoutLeadingSpaces(parts[3]);
    name.date = listedDate(parts[2]);
    name.fileName = withoutLeadingSpaces(fileName);

    // A weekday before a comma ("Mon, 12 May 2004") is skipped.
    QString dateText = restoredDate(parts[2]);
    const qsizetype comma = dateText.indexOf(u',');
    if (comma >= 0)
        dateText = withoutLeadingSpaces(QStringView(dateText).sliced(comma + 1));
    if (const std::optional<QDate> date = LooseDate::read(dateText, order))
        name.dayNumber = LooseDate::dayNumber(*date);
    name.sortText = dateText;
    return name;
}

bool MessageName::dateLess(const MessageName &a, const MessageName &b) {
    if (a.dayNumber && b.dayNumber)
        return *a.dayNumber < *b.dayNumber;
    if (a.dayNumber || b.dayNumber)
        return bool(a.dayNumber);
    return a.sortText < b.sortText;
}
