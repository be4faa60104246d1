#include "addressbook/sender_name.h"

namespace {

QString cleaned(QString text) {
    text.remove(u'"');
    text.remove(u'\t');
    text.remove(u'\r');
    text.remove(u'\n');
    return text.trimmed();
}

// The text before the first blank, and the text after it without leading blanks.
std::pair<QString, QString> splitAtBlank(const QString &text) {
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0)
        return {text, QString()};
    QString rest = text.mid(blank + 1);
    while (rest.startsWith(u' '))
        rest.remove(0, 1);
    return {text.left(blank), rest};
}

} // namespace

SenderName::Sender SenderName::parse(const QString &fromValue) {
    const qsizetype open = fromValue.indexOf(u'<');
    const qsizetype close = open < 0 ? -1 : fromValue.indexOf(u'>', open + 1);
    Sender sender;
    QString name;
    if (close > open) {
        sender.address = cleaned(fromValue.mid(open + 1, close - open - 1));
        name = cleaned(fromValue.left(open));
    } else {
        sender.address = cleaned(fromValue);
    }
    auto [first, rest] = splitAtBlank(name);
    sender.first = first;
    const auto [middle, last] = splitAtBlank(rest);
    sender.last = last.isEmpty() ? middle : last;
    return sender;
}
