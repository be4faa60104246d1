#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

// The service failing on purpose, so that tests see how the program takes it. Any page takes
// the switches in its query:
//
//   ?status=N   answers with HTTP status N (400 to 599) and an error page; the page's own work
//               (recording a send, a sign-in) is not done
//   ?drop=1     closes the connection without an answer
//   ?hang=1     never answers: the request is held until the client goes away, the service
//               stops, or maxHoldMs passes, and then its connection is closed
//
// and arm() (/_sim/fail) makes the next sends fail in one of these ways. A request that fails
// does nothing else, so a failed send is not recorded as sent.
class Failures {
public:
    enum class How { Status, Drop, Hang };
    struct Failure {
        How how = How::Status;
        int status = 500;
    };
    static constexpr int maxHoldMs = 120000;

    // "500" (any status from 400 to 599), "drop" or "hang"; nothing for anything else.
    static std::optional<Failure> parse(const std::string &how);

    // The next `sends` sends fail as `failure` once `after` more have gone through; 0 sends
    // disarms.
    void arm(int sends, Failure failure, int after);
    // What happens to this request instead of its answer, if anything. A send takes its turn
    // in the armed sends.
    std::optional<Failure> take(const httplib::Request &req, bool isSend);
    // Carries out `failure` on the request's connection.
    void apply(const Failure &failure, const httplib::Request &req, httplib::Response &res) const;
    // Ends every held request at once, and every later one: the service is stopping.
    void stopHolding() { m_stopping = true; }

private:
    std::mutex m_mutex;
    int m_after = 0;
    int m_sends = 0;
    Failure m_sendFailure;
    std::atomic<bool> m_stopping = false;
};
