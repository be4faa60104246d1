#include "webpages/page_model.h"

QString PageModel::DetectProvider(const QString &address) {
    return address.toLower().contains(yahoo) ? yahoo : hotmail;
}

const PageModel::ComposeForm &PageModel::composeForm(const QString &provider) {
    static const ComposeForm yahooForm{
        QStringLiteral("compose"), QStringLiteral("Compose"), QStringLiteral("To"),   QStringLiteral("Cc"),
        QStringLiteral("Bcc"),     QStringLiteral("Subj"),    QStringLiteral("Body"), QStringLiteral("&SEND")};
    static const ComposeForm hotmailForm{
        QStringLiteral("composeform"), QStringLiteral("composeform"), QStringLiteral("to"),   QStringLiteral("cc"),
        QStringLiteral("bcc"),         QStringLiteral("subject"),     QStringLiteral("body"), QStringLiteral("&Send.x")};
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
