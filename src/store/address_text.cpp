#include "store/address_text.h"

#include <algorithm>

namespace {

bool isAddress(QStringView text) {
    return text.contains(u'@') && std::none_of(text.begin(), text.end(),
                                               [](QChar c) { return c <= u' ' || c == u'<' || c == u'>'; });
}

std::optional<MimeText::Mailbox> mailbox(QString text) {
    // A line break or other control character in a name is a blank to a reader.
    for (QChar &c : text)
        if (c < u' ')
            c = u' ';
    text = text.trimmed();
    const qsizetype open = text.lastIndexOf(u'<');
    if (open >= 0 && text.endsWith(u'>')) {
        QString name = text.first(open).trimmed();
        if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
            name = name.sliced(1, name.size() - 2).replace(QLatin1String("\\\""), QLatin1String("\""));
        const QString address = text.sliced(open + 1, text.size() - open - 2).trimmed();
        if (isAddress(address))
            return MimeText::Mailbox{name, address};
        return std::nullopt;
    }
    if (isAddress(text))
        return MimeText::Mailbox{{}, text};
    return std::nullopt;
}

} // namespace

std::optional<QList<MimeText::Mailbox>> AddressText::mailboxes(const QString &text) {
    QList<MimeText::Mailbox> found;
    QString part;
    bool quoted = false;
    bool angled = false;
    const auto addressCame = [&part] {
        const QString done = part.trimmed();
        return done.endsWith(u'>') || (done.contains(u'@') && !done.contains(u'<'));
    };
    for (const QChar c : text) {
        if (c == u'"' && !angled)
            quoted = !quoted;
        else if (c == u'<' && !quoted)
            angled = true;
        else if (c == u'>' && !quoted)
            angled = false;
        if ((c == u',' || c == u';') && !quoted && !angled && addressCame()) {
            const std::optional<MimeText::Mailbox> one = mailbox(part);
            if (!one)
                return std::nullopt;
            found.append(*one);
            part.clear();
            continue;
        }
        part += c;
    }
    if (!part.trimmed().isEmpty()) {
        const std::optional<MimeText::Mailbox> one = mailbox(part);
        if (!one)
            return std::nullopt;
        found.append(*one);
    }
    if (found.isEmpty())
        return std::nullopt;
    return found;
}
