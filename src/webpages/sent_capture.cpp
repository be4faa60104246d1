#include "webpages/sent_capture.h"

#include "webpages/post_data.h"

bool SentCapture::isHtmlBody(const QString &body) {
    for (const char *mark : {"<div", "<p", "</"}) {
        if (body.contains(QLatin1String(mark), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

std::optional<SentCapture::SentCopy> SentCapture::fromPost(const QString &postData) {
    if (postData.isEmpty())
        return std::nullopt;
    const PostData post(postData);
    const std::optional<QString> to = post.value(u"To", u"to");
    if (!to || to->isEmpty())
        return std::nullopt;
    SentCopy copy;
    copy.to = *to;
    copy.cc = post.value(u"Cc", u"cc").value_or(QString());
    copy.bcc = post.value(u"Bcc", u"bcc").value_or(QString());
    copy.subject = post.value(u"Subj", u"subject").value_or(QString());
    copy.body = post.value(u"Body", u"body").value_or(QString());
    // Browsers post text areas with CR LF line ends; a post reported with LF alone counts the same.
    if (!isHtmlBody(copy.body))
        copy.body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(u'\n', QStringLiteral("<br>\r\n"));
    return copy;
}
