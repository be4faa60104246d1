#include "failures.h"

#include "web_text.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <charconv>
#include <chrono>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

int intValue(const std::string &text, int fallback) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return text.empty() || error != std::errc() || end != text.data() + text.size() ? fallback : value;
}

std::optional<std::pair<std::string, int>> peerOf(int fd) {
    sockaddr_in peer{};
    socklen_t size = sizeof peer;
    if (getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &size) != 0 || peer.sin_family != AF_INET)
        return std::nullopt;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
    return std::pair{std::string(text), int(ntohs(peer.sin_port))};
}

// The connection the request came on. The HTTP library does not hand it to its handlers, so it
// is found among the process's sockets by the client's address, which is unique while the
// connection is open (the service makes no connections of its own). -1 when not found.
int connectionOf(const httplib::Request &req) {
    DIR *fds = opendir("/proc/self/fd");
    if (!fds)
        return -1;
    int found = -1;
    while (const dirent *entry = readdir(fds)) {
        const int fd = intValue(entry->d_name, -1);
        if (fd < 0 || fd == dirfd(fds))
            continue;
        const auto peer = peerOf(fd);
        if (peer && peer->first == req.remote_addr && peer->second == req.remote_port) {
            found = fd;
            break;
        }
    }
    closedir(fds);
    return found;
}

// Whether the client has closed its end (or the connection broke) within `ms`.
bool clientGone(int fd, int ms) {
    pollfd watch{fd, POLLRDHUP, 0};
    return poll(&watch, 1, ms) > 0 && (watch.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL));
}

std::string errorPage(const httplib::Request &req, int status) {
    return WebText::htmlPage("Error", "<h1>Error " + std::to_string(status) + "</h1>\r\n<p>" +
                                          WebText::escapeHtml(req.path) + "</p>");
}

// Writes a whole answer and ends the connection. The request's form is never read, so the
// service reads on, discarding, until the client closes: closing with unread data would reset
// the connection and could lose the answer on its way.
void answerAndClose(int fd, int status, const std::string &page) {
    const std::string answer = "HTTP/1.1 " + std::to_string(status) +
                               " Failure\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                               std::to_string(page.size()) + "\r\nConnection: close\r\n\r\n" + page;
    for (size_t sent = 0; sent < answer.size();) {
        const ssize_t n = send(fd, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += size_t(n);
    }
    shutdown(fd, SHUT_WR);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    char discard[4096];
    pollfd watch{fd, POLLIN, 0};
    while (std::chrono::steady_clock::now() < end && poll(&watch, 1, 100) >= 0) {
        if ((watch.revents & POLLIN) && recv(fd, discard, sizeof discard, 0) <= 0)
            break;
        if (watch.revents & (POLLHUP | POLLERR | POLLNVAL))
            break;
    }
}

} // namespace

std::optional<Failures::Failure> Failures::parse(const std::string &how) {
    if (how == "drop")
        return Failure{How::Drop, 0};
    if (how == "hang")
        return Failure{How::Hang, 0};
    const int status = intValue(how, 0);
    if (status >= 400 && status <= 599)
        return Failure{How::Status, status};
    return std::nullopt;
}

void Failures::arm(int sends, Failure failure, int after) {
    std::lock_guard lock(m_mutex);
    m_sends = std::max(sends, 0);
    m_after = std::max(after, 0);
    m_sendFailure = failure;
}

std::optional<Failures::Failure> Failures::take(const httplib::Request &req, bool isSend) {
    if (req.has_param("hang") && req.get_param_value("hang") != "0")
        return Failure{How::Hang, 0};
    if (req.has_param("drop") && req.get_param_value("drop") != "0")
        return Failure{How::Drop, 0};
    if (req.has_param("status"))
        return parse(req.get_param_value("status"));
    if (!isSend)
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    if (m_sends == 0)
        return std::nullopt;
    if (m_after > 0) {
        --m_after;
        return std::nullopt;
    }
    --m_sends;
    return m_sendFailure;
}

void Failures::apply(const Failure &failure, const httplib::Request &req, httplib::Response &res) const {
    const int fd = connectionOf(req);
    if (fd < 0) {
        // Not found (it should be): an error answer the library writes, which asks the client
        // to close, is as near as it gets.
        res.status = failure.how == How::Status ? failure.status : 503;
        res.set_header("Connection", "close");
        res.set_content(errorPage(req, res.status), "text/html; charset=utf-8");
        return;
    }
    switch (failure.how) {
    case How::Status:
        answerAndClose(fd, failure.status, errorPage(req, failure.status));
        break;
    case How::Hang: {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxHoldMs);
        while (!m_stopping && std::chrono::steady_clock::now() < end && !clientGone(fd, 50)) {
        }
        [[fallthrough]];
    }
    case How::Drop:
        shutdown(fd, SHUT_RDWR);
        break;
    }
    // Whatever the library writes after this goes nowhere, and the connection ends.
}
