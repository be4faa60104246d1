#include "webpages/post_data.h"

#include "base/text_file.h"

#include <QByteArray>

namespace {

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

PostData::PostData(const QString &data)
    : m_data(QLatin1Char('&') + data) {}

std::optional<QStringView> PostData::rawValue(QStringView name) const {
    const QString key = QLatin1Char('&') + name.toString() + QLatin1Char('=');
    const qsizetype at = m_data.indexOf(key);
    if (at < 0)
        return std::nullopt;
    const QStringView value = QStringView(m_data).sliced(at + key.size());
    const qsizetype end = value.indexOf(u'&');
    return end < 0 ? value : value.first(end);
}

std::optional<QString> PostData::value(QStringView first, QStringView second) const {
    std::optional<QStringView> raw = rawValue(first);
    if (!raw)
        raw = rawValue(second);
    if (!raw)
        return std::nullopt;
    return decode(*raw);
}

QString PostData::decode(QStringView raw) {
    // A run of escapes is read as bytes and then as text, as one character may be spread over
    // several escapes; everything else stands for itself.
    QString out;
    out.reserve(raw.size());
    QByteArray escaped;
    const auto flush = [&] {
        if (!escaped.isEmpty())
            out += TextFile::decode(escaped);
        escaped.clear();
    };
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == u'%' && i + 2 < raw.size() && hexDigit(raw.at(i + 1)) >= 0 && hexDigit(raw.at(i + 2)) >= 0) {
            escaped += char(hexDigit(raw.at(i + 1)) * 16 + hexDigit(raw.at(i + 2)));
            i += 2;
            continue;
        }
        flush();
        out += c == u'+' ? QChar(u' ') : c;
    }
    flush();
    return out;
}
