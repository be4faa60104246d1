#include "store/header_capture.h"

#include <array>

namespace HeaderCapture {

using HeaderLabels::Kind;

namespace {

const QString yahoo = QStringLiteral("yahoo");
const QString hotmail = QStringLiteral("hotmail");

// Where a caption occurs at or after `from`; an empty caption (an unused slot) never does.
qsizetype find(const QString &text, const QString &caption, qsizetype from = 0) {
    return caption.isEmpty() ? -1 : text.indexOf(caption, from);
}

QString &valueOf(Headers &headers, Kind kind) {
    switch (kind) {
    case Kind::From:
        return headers.from;
    case Kind::To:
        return headers.to;
    case Kind::Third:
        return headers.third;
    case Kind::Subject:
        return headers.subject;
    case Kind::Date:
        break;
    }
    return headers.date;
}

// Yahoo! Mail shows one header per line: each value runs from its caption to the line end
// (From to the "|" that follows the sender), each searched from the top of the page.
Headers readYahoo(const QString &text, int language) {
    Headers headers;
    for (const Kind kind : {Kind::From, Kind::To, Kind::Third, Kind::Subject, Kind::Date}) {
        const QString caption = label(yahoo, kind, language);
        const qsizetype at = find(text, caption);
        if (kind == Kind::From)
            headers.fromFound = at >= 0;
        if (at < 0)
            continue;
        const qsizetype end = text.indexOf(kind == Kind::From ? u'|' : u'\r', at);
        if (end < 0)
            continue;
        const qsizetype start = at + caption.size();
        valueOf(headers, kind) = text.mid(start, end - start);
        if (kind != Kind::Date)
            headers.lastEnd = end;
    }
    const qsizetype via = headers.to.indexOf(QLatin1String(" via"));
    if (via >= 0)
        headers.to.truncate(via);
    return headers;
}

// MSN Hotmail: the captions are searched in page order, each from just after the previous one
// found, and a value runs to the next caption (From and the third header to the To caption).
// A value starts one character after its caption: the blank that follows it.
Headers readHotmail(const QString &text, int language) {
    struct Step {
        Kind kind;
        Kind endsAt; // Date ends at the line end instead
    };
    static constexpr std::array<Step, 5> steps = {{{Kind::From, Kind::To},
                                                   {Kind::Third, Kind::To},
                                                   {Kind::To, Kind::Subject},
                                                   {Kind::Subject, Kind::Date},
                                                   {Kind::Date, Kind::Date}}};
    Headers headers;
    qsizetype from = 0;
    for (const Step &step : steps) {
        const QString caption = label(hotmail, step.kind, language);
        const qsizetype at = find(text, caption, from);
        if (step.kind == Kind::From)
            headers.fromFound = at >= 0;
        if (at < 0) {
            from = 0;
            continue;
        }
        const qsizetype end = step.kind == Kind::Date ? text.indexOf(u'\r', at)
                                                      : find(text, label(hotmail, step.endsAt, language), at);
        const qsizetype start = at + 1 + caption.size();
        if (end >= start)
            valueOf(headers, step.kind) = text.mid(start, end - start);
        from = at + 1;
    }
    headers.from.remove(QLatin1String("Reply-"));
    headers.third.remove(QLatin1String("Reply-"));
    headers.to.remove(QLatin1String("Subject"));
    headers.subject.remove(QLatin1String("Subject"));
    return headers;
}

bool isBlank(QChar c) {
    return c == u' ' || c == QChar(0xA0);
}

} // namespace

QString label(const QString &provider, Kind kind, int language) {
    const std::string_view text = HeaderLabels::label(provider.toStdString(), kind, language);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

int chooseLanguage(const QString &provider, const QString &pageText, int current) {
    if (find(pageText, label(provider, Kind::Subject, current)) >= 0)
        return current;
    for (int language = 0; language < HeaderLabels::searchedLanguages; ++language) {
        if (find(pageText, label(provider, Kind::Subject, language)) >= 0)
            return language;
    }
    return current;
}

QString cleanValue(QString value) {
    value.remove(u'\t');
    value.remove(u'\r');
    value.remove(u'\n');
    qsizetype start = 0;
    qsizetype end = value.size();
    while (start < end && isBlank(value[start]))
        ++start;
    while (end > start && isBlank(value[end - 1]))
        --end;
    return value.mid(start, end - start);
}

Headers read(const QString &provider, const QString &pageText, int language) {
    Headers headers = provider == yahoo ? readYahoo(pageText, language) : readHotmail(pageText, language);
    for (const Kind kind : {Kind::From, Kind::To, Kind::Third, Kind::Subject, Kind::Date})
        valueOf(headers, kind) = cleanValue(valueOf(headers, kind));
    return headers;
}

} // namespace HeaderCapture
