#include "mailmerge/merge_log.h"

#include "base/text_file.h"

#include <QCryptographicHash>

#include <algorithm>

namespace MergeLog {
namespace {

const QByteArray sending = "sending";
const QByteArray sent = "sent";
const QByteArray unknown = "unknown";
const QByteArray refused = "refused";

// Addresses are compared as a mail service does: blanks around them and letter case do not count.
QString addressKey(const QString &address) {
    return address.trimmed().toLower();
}

// A field's text on one line and in one column.
QByteArray field(QString text) {
    for (const QChar c : {u'\t', u'\r', u'\n'})
        text.replace(c, u' ');
    return TextFile::encode(text);
}

QByteArray line(const QByteArray &kind, const Entry &entry, const QByteArray &more = {}) {
    return kind + '\t' + QByteArray::number(entry.row) + '\t' + field(entry.address) + more + "\r\n";
}

bool listed(const std::vector<Entry> &entries, const QString &address) {
    const QString key = addressKey(address);
    return std::any_of(entries.begin(), entries.end(),
                       [&key](const Entry &entry) { return addressKey(entry.address) == key; });
}

bool contains(const std::vector<Entry> &entries, const Entry &entry) {
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

} // namespace

bool State::isConfirmed(const QString &address) const {
    return listed(confirmed, address);
}

bool State::isUnknown(const QString &address) const {
    return listed(unknown, address);
}

QByteArray sendingLine(const Entry &entry) {
    return line(sending, entry);
}

QByteArray sentLine(const Entry &entry) {
    return line(sent, entry);
}

QByteArray unknownLine(const Entry &entry) {
    return line(unknown, entry);
}

QByteArray refusedLine(const Entry &entry, AfterRefusal then, const QString &words) {
    return line(refused, entry,
                QByteArray(then == AfterRefusal::GoOn ? "\twent on\t" : "\tstopped\t") + field(words));
}

State parse(const QByteArray &bytes) {
    State state;
    // Only whole lines count: the last one may have been cut off by a crash.
    const qsizetype end = bytes.lastIndexOf('\n');
    if (end < 0)
        return state;
    for (const QByteArray &raw : bytes.left(end + 1).split('\n')) {
        const QList<QByteArray> parts = raw.trimmed().split('\t');
        // A refusal's words may be empty, and then the line ends at the tab before them.
        if (parts[0] == refused ? parts.size() < 4 : parts.size() != 3)
            continue;
        bool ok = false;
        const int row = parts[1].toInt(&ok);
        if (!ok || row < 0)
            continue;
        const Entry entry{row, TextFile::decode(parts[2]).trimmed()};
        if (entry.address.isEmpty())
            continue;
        if (parts[0] == sending || parts[0] == unknown) {
            if (!contains(state.confirmed, entry) && !contains(state.unknown, entry))
                state.unknown.push_back(entry);
        } else if (parts[0] == refused) {
            std::erase(state.unknown, entry);
        } else if (parts[0] == sent) {
            std::erase(state.unknown, entry);
            if (!contains(state.confirmed, entry))
                state.confirmed.push_back(entry);
        }
    }
    return state;
}

bool skips(const State &state, const QString &address, const Resume &resume) {
    if (state.isConfirmed(address))
        return resume.skipSent;
    return state.isUnknown(address) && !resume.sendUnknownAgain;
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
