#pragma once

#include <csignal>

#include <sys/resource.h>

// Lowers the largest file size this process may write, for the life of the object. It stands in
// for a full disk: unlike permissions it also stops root, under which the tests may run.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit tight = m_previous;
        tight.rlim_cur = bytes;
        m_active = ::setrlimit(RLIMIT_FSIZE, &tight) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};
