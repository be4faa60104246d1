#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The requests a later start or the launcher sends over the program's socket, read as their
// bytes arrive: "raise\n", or "mailto <byte count>\n" followed by the link in UTF-8. What is held
// while a request is incomplete is bounded: a first line longer than any request's, a link over
// maxLinkBytes, or bytes that start no request end the connection's reading with Refused.
class InstanceRequests {
public:
    enum class Kind { Raise, Mailto, Refused };
    struct Request {
        Kind kind;
        QString link; // Mailto only
        bool operator==(const Request &) const = default;
    };

    // The requests `bytes` complete, in order. After a Refused nothing more is read: the
    // connection is to be answered "refused" and closed.
    QList<Request> take(QByteArrayView bytes);
    bool refused() const { return m_refused; }
    // What is held of the request under way.
    qsizetype heldBytes() const { return m_held.size(); }

    // "mailto 16777216\n" and "raise\n" fit; a first line needs no more.
    static constexpr qsizetype maxLineBytes = 32;
    // Links longer than this are refused rather than held in memory.
    static constexpr qsizetype maxLinkBytes = 16 * 1024 * 1024;

private:
    // Reads one request from the held bytes when they hold all of it.
    std::optional<Request> next();

    QByteArray m_held;
    qsizetype m_linkBytes = -1; // the link's length once its line is read
    bool m_refused = false;
};
