#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Settings;
namespace QKeychain {
class Job;
}

// Where the stored sign-in's password is kept. With a desktop keyring (a Secret Service such as
// GNOME Keyring or KWallet) answering, it lives there under the program's name and the e-mail
// address, and `pw` in the settings file stays empty; without one it stays in `pw`, as older
// versions kept it. Every keyring call is asynchronous: a keyring that prompts, refuses or never
// answers costs the answer, never the program's time.
class PasswordStore : public QObject {
    Q_OBJECT
public:
    PasswordStore(Settings &settings, QObject *parent);

    // Finds the stored password for the stored e-mail address; one found in the settings file
    // (an older file, or a keyring that was missing) moves into the keyring. passwordKnown follows.
    void read();
    // Keeps `password` for the stored e-mail address (written to the settings file just before);
    // an empty one removes the stored password from wherever it is.
    void store(const QString &password);

    bool reading() const { return m_reading; }
    // The stored password, once known; empty for none.
    QString password() const { return m_password; }
    // One line for the Settings tab.
    QString placeText() const;
    // The keyring's last answer in its own technical words, for the about box's system information.
    QString keyringAnswer() const;

signals:
    void passwordKnown();
    void placeChanged();

private:
    enum class Place { Looking, Nothing, Keyring, Refused, SettingsFile };

    void keep(const QString &email, const QString &password);
    void remove(const QString &email);
    void run(QKeychain::Job *job, const std::function<void(QKeychain::Job &)> &done);
    void noteAnswer(const QKeychain::Job &job);
    void setPlace(Place place);
    void setPasswordInFile(const QString &password);
    // The answer of read().
    void setKnown(const QString &password);

    Settings &m_settings;
    QString m_email; // the address the password is kept under
    QString m_password;
    bool m_reading = false;
    Place m_place = Place::Looking;
    bool m_keyringAvailable = false;
    QString m_keyringError; // the keyring's last answer
    // Answers to calls made before the last store() are stale and dropped.
    int m_generation = 0;
};
