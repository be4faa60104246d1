#include "webpages/reply_builder.h"

#include <QStringList>

namespace {

constexpr QChar lineFeed = u'\n';
constexpr QChar blank = u' ';
// A line is broken at the first blank met once the column counter has passed this.
constexpr int wrapColumn = 43;

} // namespace

std::optional<TransferMode> transferModeFrom(int mode) {
    switch (mode) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 5:
    case 10:
    case 11:
        return static_cast<TransferMode>(mode);
    default:
        return std::nullopt;
    }
}

QString ReplyBuilder::stripCaption(const QString &text) {
    const qsizetype colon = text.indexOf(u':');
    return colon < 0 ? text : text.mid(colon + 1).trimmed();
}

std::optional<ReplyBuilder::MessageValues> ReplyBuilder::fromSavedMessage(TransferMode mode,
                                                                          const ElementText &elementText) {
    // Each value comes from its own element; the first one missing ends the gathering.
    MessageValues values;
    const auto read = [&elementText](const char *id, QString &into) {
        const std::optional<QString> text = elementText(QString::fromLatin1(id));
        if (text)
            into = *text;
        return text.has_value();
    };
    switch (mode) {
    case TransferMode::ReplyWithText:
    case TransferMode::ReplyWithoutText:
        if (!read("replyto", values.to) || !read("body", values.body) || !read("subject", values.subject))
            return std::nullopt;
        break;
    case TransferMode::Forward: {
        if (!read("body", values.body) || !read("subject", values.subject))
            return std::nullopt;
        // The forwarded text is headed by whom it came from, when and about what; a file saved
        // without a sender or a date still forwards.
        QStringList header;
        QString from, date;
        if (read("from", from))
            header << QStringLiteral("From: ") + stripCaption(from);
        if (read("date", date))
            header << QStringLiteral("Date: ") + stripCaption(date);
        header << QStringLiteral("Subject: ") + stripCaption(values.subject);
        values.body = header.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n") + values.body;
        break;
    }
    case TransferMode::SendAgain:
        if (!read("to", values.to) || !read("cc", values.cc) || !read("bcc", values.bcc) ||
            !read("body", values.body) || !read("subject", values.subject))
            return std::nullopt;
        // Cc and Bcc carry their captions as To does; they go back without them.
        values.cc = stripCaption(values.cc);
        values.bcc = stripCaption(values.bcc);
        break;
    default:
        return std::nullopt;
    }
    values.to = stripCaption(values.to);
    values.subject = stripCaption(values.subject);
    return values;
}

QString ReplyBuilder::subjectFor(TransferMode mode, const QString &subject) {
    switch (mode) {
    case TransferMode::ReplyWithText:
    case TransferMode::ReplyWithoutText:
        return QStringLiteral("RE: ") + subject;
    case TransferMode::Forward:
        return QStringLiteral("FWD: ") + subject;
    default:
        return subject;
    }
}

QString ReplyBuilder::wrapBody(const QString &text) {
    QString out = text;
    int column = 1;
    for (QChar &c : out) {
        if (c == lineFeed) {
            column = 1;
        } else if (c == blank && column > wrapColumn) {
            c = lineFeed;
            column = 1;
        }
        ++column;
    }
    return out;
}

QString ReplyBuilder::quoteBody(const QString &text) {
    QString out = text;
    return out.replace(lineFeed, QStringLiteral("\n>"));
}

QString ReplyBuilder::composeBody(TransferMode mode, const QString &body) {
    switch (mode) {
    case TransferMode::ReplyWithText:
    case TransferMode::Forward:
        return quoteBody(wrapBody(QStringLiteral("\n\n") + body));
    case TransferMode::SendAgain:
        return wrapBody(QStringLiteral("\n\n") + body);
    default:
        return {};
    }
}

QString ReplyBuilder::templateBody(ComposeTarget target, const QString &templateBody,
                                   const QString &currentBody) {
    if (target == ComposeTarget::ComposePane)
        return templateBody;
    return templateBody + QStringLiteral("\r\n\r\n") + currentBody;
}

QString ReplyBuilder::yahooRichText(const QString &body) {
    // The text goes in as text: its own markup is escaped before the quote marks start lines.
    QString out = body.toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;"));
    return out.replace(QStringLiteral("&gt;"), QStringLiteral("<BR>&gt;"));
}
