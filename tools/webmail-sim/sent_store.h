#pragma once

#include "web_text.h"

#include <mutex>
#include <string>
#include <vector>

// What the service was sent, kept for tests: every form posted to a send or publish address
// and every sign-in. Requests run on several server threads, hence the lock.
class SentStore {
public:
    struct SentMessage {
        std::string provider; // "hotmail", "yahoo" or "blog"
        std::string query;    // the action's query string as it arrived, e.g. "box=1&Send.x"
        WebText::FormFields fields;
    };
    struct SignIn {
        std::string email;
        std::string password;
    };

    // Records a message and returns its number, counting from 1 since the last reset.
    int addSent(SentMessage message);
    void addSignIn(SignIn signIn);
    void reset();

    // JSON arrays, in arrival order: [{provider, query, fields:{name:value}}] and [{email, password}].
    std::string sentJson() const;
    std::string signInsJson() const;

private:
    mutable std::mutex m_mutex;
    std::vector<SentMessage> m_sent;
    std::vector<SignIn> m_signIns;
};
