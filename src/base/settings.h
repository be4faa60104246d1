#pragma once

#include "base/setting_write.h"
#include "base/settings_keys.h"

#include <QString>
#include <QStringList>

#include <functional>

class IniFile;

// The settings file, read and written one key at a time with the Windows profile semantics:
// reads never fail (a missing file, section or key gives the default), writes never report
// (a file that cannot be written loses the value, but the old file stays whole).
//
// Every call goes to the file: an outside launcher may write `mailto` at any moment, so nothing
// is cached. Calls hold a lock on "<file>.lock" (shared to read, exclusive to change), which keeps
// two processes writing different keys from losing each other's change.
class Settings {
public:
    explicit Settings(QString filePath);

    // `--settings FILE` (or `--settings=FILE`) among the arguments, else $CORVALIS_INI, else
    // $XDG_CONFIG_HOME/corvalis/corvalis.ini ($XDG_CONFIG_HOME defaults to ~/.config).
    static QString locate(const QStringList &arguments);

    QString filePath() const { return m_filePath; }

    // The stored value, or `defaultValue`; either comes back cut to 298 characters and at a NUL.
    QString GetIni(const QString &section, const QString &key, const QString &defaultValue) const;
    // Stores `value` (an empty value keeps the key); line breaks in it become spaces.
    void SetIni(const QString &section, const QString &key, const QString &value);

    QString get(const SettingKey &key) const;
    void set(const SettingKey &key, const QString &value);
    // Stores several values under one lock, with one write of the file.
    void set(const SettingWrites &writes);
    // Stores `value` only while the key is empty, checked and written under one lock; true when
    // it was stored. Two writers never overwrite each other's value this way.
    bool setIfEmpty(const SettingKey &key, const QString &value);

    static constexpr qsizetype maxValueLength = 298;

private:
    // Reads the file, lets `edit` change it and writes it back, all under one lock; `edit` returning
    // false leaves the file as it was. True when the file was written.
    bool change(const std::function<bool(IniFile &)> &edit);

    QString m_filePath;
};
