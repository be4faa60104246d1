#include "mailmerge/merge_log.h"

#include "base/text_file.h"

#include <QCryptographicHash>

namespace MergeLog {
namespace {

const QByteArray sending = "sending";
const QByteArray sent = "sent";

// Addresses are compared as a mail service does: blanks around them and letter case do not count.
QString addressKey(const QString &address) {
    return address.trimmed().toLower();
}

QByteArray line(const QByteArray &kind, const Entry &entry) {
    QString address = entry.address;
    for (const QChar c : {u'\t', u'\r', u'\n'})
        address.replace(c, u' ');
    return kind + '\t' + QByteArray::number(entry.row) + '\t' + TextFile::encode(address) + "\r\n";
}

} // namespace

bool State::isConfirmed(const QString &address) const {
    const QString key = addressKey(address);
    return std::any_of(confirmed.begin(), confirmed.end(),
                       [&key](const Entry &entry) { return addressKey(entry.address) == key; });
}

QByteArray sendingLine(const Entry &entry) {
    return line(sending, entry);
}

QByteArray sentLine(const Entry &entry) {
    return line(sent, entry);
}

State parse(const QByteArray &bytes) {
    State state;
    // Only whole lines count: the last one may have been cut off by a crash.
    const qsizetype end = bytes.lastIndexOf('\n');
    if (end < 0)
        return state;
    for (const QByteArray &raw : bytes.left(end + 1).split('\n')) {
        const QList<QByteArray> parts = raw.trimmed().split('\t');
        if (parts.size() != 3)
            continue;
        bool ok = false;
        const int row = parts[1].toInt(&ok);
        if (!ok || row < 0)
            continue;
        const Entry entry{row, TextFile::decode(parts[2]).trimmed()};
        if (entry.address.isEmpty())
            continue;
        if (parts[0] == sending) {
            state.inFlight.push_back(entry);
        } else if (parts[0] == sent) {
            std::erase(state.inFlight, entry);
            state.confirmed.push_back(entry);
        }
    }
    return state;
}

QString fileName(const QString &bookPath, const QString &subject, const QString &body) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &part : {bookPath, subject, body}) {
        hash.addData(part.toUtf8());
        hash.addData(QByteArrayView("\0", 1));
    }
    return QString::fromLatin1(hash.result().toHex().left(24)) + QStringLiteral(".log");
}

} // namespace MergeLog
