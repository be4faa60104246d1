#include "webpages/sent_capture.h"

#include "webpages/post_data.h"

bool SentCapture::isHtmlBody(const QString &body) {
    for (const char *mark : {"<div", "<p", "</"}) {
        if (body.contains(QLatin1String(mark), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

SentCapture::FieldNames SentCapture::formNames() {
    return {{u"To", u"to"}, {u"Cc", u"cc"}, {u"Bcc", u"bcc"}, {u"Subj", u"subject"}, {u"Body", u"body"}};
}

std::optional<SentCapture::SentCopy> SentCapture::fromPost(const QString &postData, const FieldNames &names) {
    if (postData.isEmpty())
        return std::nullopt;
    const PostData post(postData);
    const auto value = [&post](const std::pair<QStringView, QStringView> &name) {
        return post.value(name.first, name.second);
    };
    const std::optional<QString> to = value(names.to);
    if (!to || to->isEmpty())
        return std::nullopt;
    SentCopy copy;
    copy.to = *to;
    copy.cc = value(names.cc).value_or(QString());
    copy.bcc = value(names.bcc).value_or(QString());
    copy.subject = value(names.subject).value_or(QString());
    copy.body = value(names.body).value_or(QString());
    // Browsers post text areas with CR LF line ends; a post reported with LF alone counts the same.
    if (!isHtmlBody(copy.body))
        copy.body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(u'\n', QStringLiteral("<br>\r\n"));
    return copy;
}
