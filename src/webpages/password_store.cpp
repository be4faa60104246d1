#include "webpages/password_store.h"

#include "base/settings.h"

#include <qt6keychain/keychain.h>

using namespace QKeychain;

namespace {
// The keyring's service name: the program's.
const QString service = QStringLiteral("Corvalis");
} // namespace

PasswordStore::PasswordStore(Settings &settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings) {}

void PasswordStore::read() {
    const int generation = ++m_generation;
    m_email = m_settings.get(Keys::Email);
    const QString filed = m_settings.get(Keys::Pw);
    if (!filed.isEmpty()) {
        setKnown(filed);
        if (m_email.isEmpty())
            setPlace(Place::SettingsFile);
        else
            keep(m_email, filed);
        return;
    }
    // Asked even without an address to ask for: the answer tells whether there is a keyring.
    m_reading = true;
    auto *job = new ReadPasswordJob(service);
    job->setKey(m_email);
    run(job, [this, generation](Job &done) {
        if (generation != m_generation)
            return;
        noteAnswer(done);
        switch (done.error()) {
        case NoError:
            setKnown(static_cast<ReadPasswordJob &>(done).textData());
            setPlace(Place::Keyring);
            return;
        case AccessDenied:
        case AccessDeniedByUser:
            setKnown({});
            setPlace(Place::Refused);
            return;
        default: // not found, or no keyring to ask
            setKnown({});
            setPlace(Place::Nothing);
        }
    });
}

void PasswordStore::store(const QString &password) {
    ++m_generation;
    m_reading = false;
    const QString email = m_settings.get(Keys::Email);
    // A sign-in under another address replaces the one kept before.
    if (!m_email.isEmpty() && m_email != email)
        remove(m_email);
    m_email = email;
    m_password = password;
    if (password.isEmpty()) {
        remove(email);
        setPasswordInFile({});
        setPlace(Place::Nothing);
    } else {
        // Kept in the file until the keyring says it holds it: a keyring that never answers
        // leaves the sign-in where the next start finds it at once.
        setPasswordInFile(password);
        keep(email, password);
    }
}

QString PasswordStore::keyringAnswer() const {
    if (!m_keyringError.isEmpty())
        return m_keyringError;
    return m_keyringAvailable ? QStringLiteral("answered") : QString();
}

QString PasswordStore::placeText() const {
    switch (m_place) {
    case Place::Looking:
        return tr("Looking for the stored sign-in in the desktop keyring...");
    case Place::Nothing:
        return m_keyringAvailable
                   ? tr("No sign-in is stored; one would be kept in the desktop keyring.")
                   : tr("No sign-in is stored; one would be kept in the settings file, since no desktop "
                        "keyring answered.");
    case Place::Keyring:
        return tr("The stored sign-in is kept in the desktop keyring.");
    case Place::Refused:
        return tr("The desktop keyring did not give the stored sign-in: sign in on the welcome page.");
    case Place::SettingsFile:
        return tr("The stored sign-in is kept in the settings file: %1.")
            .arg(m_email.isEmpty() ? tr("there is no e-mail address to keep it under in the desktop keyring")
                                   : tr("the desktop keyring did not take it"));
    }
    return {};
}

void PasswordStore::keep(const QString &email, const QString &password) {
    const int generation = m_generation;
    auto *job = new WritePasswordJob(service);
    job->setKey(email);
    job->setTextData(password);
    run(job, [this, generation, password](Job &done) {
        if (generation != m_generation)
            return;
        noteAnswer(done);
        if (done.error() == NoError) {
            setPasswordInFile({});
            setPlace(Place::Keyring);
        } else {
            // No keyring, or one that refused: the password stays where it was always kept.
            setPasswordInFile(password);
            setPlace(Place::SettingsFile);
        }
    });
}

void PasswordStore::remove(const QString &email) {
    if (email.isEmpty())
        return;
    auto *job = new DeletePasswordJob(service);
    job->setKey(email);
    run(job, [](Job &) {}); // nothing there, or no keyring: nothing to remove
}

void PasswordStore::run(Job *job, const std::function<void(Job &)> &done) {
    // The job deletes itself when it finishes; one that never does outlives nothing of ours,
    // since the answer is delivered only while this store exists.
    job->setAutoDelete(true);
    connect(job, &Job::finished, this, [done](Job *finished) { done(*finished); });
    job->start();
}

void PasswordStore::noteAnswer(const Job &job) {
    m_keyringError = job.errorString();
    // Anything but a missing service is an answer from a keyring.
    m_keyringAvailable =
        job.error() != NoBackendAvailable && job.error() != NotImplemented && job.error() != OtherError;
}

void PasswordStore::setPlace(Place place) {
    m_place = place;
    emit placeChanged();
}

void PasswordStore::setPasswordInFile(const QString &password) {
    if (m_settings.get(Keys::Pw) != password)
        m_settings.set(Keys::Pw, password);
}

void PasswordStore::setKnown(const QString &password) {
    m_password = password;
    m_reading = false;
    emit passwordKnown();
}
