#include "sent_store.h"

using WebText::jsonString;

int SentStore::addSent(SentMessage message) {
    std::lock_guard lock(m_mutex);
    m_sent.push_back(std::move(message));
    return static_cast<int>(m_sent.size());
}

void SentStore::addSignIn(SignIn signIn) {
    std::lock_guard lock(m_mutex);
    m_signIns.push_back(std::move(signIn));
}

void SentStore::reset() {
    std::lock_guard lock(m_mutex);
    m_sent.clear();
    m_signIns.clear();
}

std::string SentStore::sentJson() const {
    std::lock_guard lock(m_mutex);
    std::string json = "[";
    for (const SentMessage &message : m_sent) {
        if (json.size() > 1)
            json += ",\n";
        json += "{\"provider\":" + jsonString(message.provider) + ",\"query\":" + jsonString(message.query) +
                ",\"fields\":{";
        bool first = true;
        for (const auto &[name, value] : message.fields) {
            json += (first ? "" : ",") + jsonString(name) + ":" + jsonString(value);
            first = false;
        }
        json += "}}";
    }
    return json + "]\n";
}

std::string SentStore::signInsJson() const {
    std::lock_guard lock(m_mutex);
    std::string json = "[";
    for (const SignIn &signIn : m_signIns) {
        if (json.size() > 1)
            json += ",\n";
        json +=
            "{\"email\":" + jsonString(signIn.email) + ",\"password\":" + jsonString(signIn.password) + "}";
    }
    return json + "]\n";
}
