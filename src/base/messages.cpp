#include "base/messages.h"

#include <QStringList>

void RecordingMessages::inform(const QString &text) {
    m_shown.append(text);
}

Messages::Answer RecordingMessages::ask(const QString &text, Buttons, Answer) {
    m_shown.append(text);
    if (m_answers.isEmpty())
        return m_fallback;
    return m_answers.takeFirst();
}
