#include "webpages/page_model.h"

QString PageModel::DetectProvider(const QString &address) {
    return address.toLower().contains(yahoo) ? yahoo : hotmail;
}

std::optional<QString> PageModel::namedProvider(const QString &address) {
    const QString lower = address.toLower();
    for (const QString &provider : {yahoo, hotmail}) {
        if (lower.contains(provider))
            return provider;
    }
    return std::nullopt;
}

std::optional<QString> PageModel::composeAddress(const QString &serviceAddress) {
    // "Character 10" counts from 1.
    const qsizetype first = serviceAddress.indexOf(QLatin1Char('/'), 9);
    if (first < 0)
        return std::nullopt;
    const qsizetype second = serviceAddress.indexOf(QLatin1Char('/'), first + 1);
    if (second < 0)
        return std::nullopt;
    return serviceAddress.left(second + 1) + QLatin1String("compose");
}

const PageModel::ComposeForm &PageModel::composeForm(const QString &provider) {
    static const ComposeForm yahooForm{QStringLiteral("compose"), QStringLiteral("Compose"),
                                       QStringLiteral("To"),      QStringLiteral("Cc"),
                                       QStringLiteral("Bcc"),     QStringLiteral("Subj"),
                                       QStringLiteral("Body"),    QStringLiteral("&SEND")};
    static const ComposeForm hotmailForm{QStringLiteral("composeform"), QStringLiteral("composeform"),
                                         QStringLiteral("to"),          QStringLiteral("cc"),
                                         QStringLiteral("bcc"),         QStringLiteral("subject"),
                                         QStringLiteral("body"),        QStringLiteral("&Send.x")};
    return provider == yahoo ? yahooForm : hotmailForm;
}

const PageModel::MessageList &PageModel::messageList(const QString &provider) {
    static const MessageList yahooList{QStringLiteral("messageList"), QStringLiteral("Mid"),
                                       QStringLiteral("selectall"),   QStringLiteral("unread"),
                                       QStringLiteral("from"),        QStringLiteral("subject")};
    static const MessageList hotmailList{QStringLiteral("hotmail"), QString(),
                                         QStringLiteral("allbox"),  QStringLiteral("unread"),
                                         QStringLiteral("from"),    QStringLiteral("subject")};
    return provider == yahoo ? yahooList : hotmailList;
}
