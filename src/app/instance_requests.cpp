#include "app/instance_requests.h"

#include <algorithm>

namespace {

constexpr QByteArrayView raiseLine = "raise\n";
constexpr QByteArrayView mailtoWord = "mailto ";

} // namespace

QList<InstanceRequests::Request> InstanceRequests::take(QByteArrayView bytes) {
    QList<Request> requests;
    while (!m_refused && !bytes.isEmpty()) {
        // A link takes only its own bytes; a first line no more than the longest one.
        const qsizetype room = m_linkBytes >= 0 ? m_linkBytes - m_held.size() : maxLineBytes - m_held.size();
        const qsizetype lineEnd =
            m_linkBytes >= 0 ? -1 : bytes.first(std::min(room, bytes.size())).indexOf('\n');
        const qsizetype taken = lineEnd >= 0 ? lineEnd + 1 : std::min(room, bytes.size());
        m_held.append(bytes.first(taken));
        bytes = bytes.sliced(taken);
        if (std::optional<Request> request = next()) {
            m_refused = request->kind == Kind::Refused;
            requests.append(std::move(*request));
        }
    }
    return requests;
}

std::optional<InstanceRequests::Request> InstanceRequests::next() {
    if (m_linkBytes >= 0) {
        if (m_held.size() < m_linkBytes)
            return std::nullopt;
        Request request{Kind::Mailto, QString::fromUtf8(m_held)};
        m_held.clear();
        m_linkBytes = -1;
        return request;
    }
    const Request refusal{Kind::Refused, {}};
    if (!m_held.endsWith('\n')) {
        // Bytes that begin no request, or a line longer than any request's, are not waited out.
        const bool mayBecomeOne =
            raiseLine.startsWith(m_held) || mailtoWord.startsWith(m_held) || m_held.startsWith(mailtoWord);
        if (!mayBecomeOne || m_held.size() >= maxLineBytes)
            return refusal;
        return std::nullopt;
    }
    if (m_held == raiseLine) {
        m_held.clear();
        return Request{Kind::Raise, {}};
    }
    bool number = false;
    const qsizetype length =
        m_held.startsWith(mailtoWord) ? m_held.sliced(mailtoWord.size()).chopped(1).toLongLong(&number) : -1;
    m_held.clear();
    if (!number || length < 0 || length > maxLinkBytes)
        return refusal;
    m_linkBytes = length;
    return next(); // an empty link is whole at once
}
