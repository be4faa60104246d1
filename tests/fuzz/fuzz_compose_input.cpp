// What reaches the compose page from outside (mailto text via the settings file, its form posts): any input
// is read without harm, and what the compose transfer and the sent copy rely on holds.
#include "fuzz_checks.h"

#include "base/text_file.h"
#include "webpages/mailto_address.h"
#include "webpages/post_data.h"
#include "webpages/sent_capture.h"

void checkInput(const QByteArray &bytes) {
    const QString text = TextFile::decode(bytes);

    const MailtoAddress::Parsed parsed = MailtoAddress::parse(text);
    FUZZ_CHECK(!parsed.body.contains(u'\r'));
    FUZZ_CHECK(MailtoAddress::decode(text).size() <= text.size());
    FUZZ_CHECK(MailtoAddress::richText(parsed.body).count(u'<') == parsed.body.count(u'\n'));
    FUZZ_CHECK(MailtoAddress::handOverText(text).size() <= text.size());

    // Decoding never makes text longer than the escapes it came from.
    FUZZ_CHECK(PostData::decode(text).size() <= text.size());
    if (const std::optional<SentCapture::SentCopy> copy = SentCapture::fromPost(text)) {
        FUZZ_CHECK(!copy->to.isEmpty());
        // A plain body ends every line in "<br>" and keeps no lone line feed.
        if (!SentCapture::isHtmlBody(copy->body))
            FUZZ_CHECK(copy->body.count(u'\n') == copy->body.count(QLatin1String("<br>\r\n")));
    }
}
