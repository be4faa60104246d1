#pragma once

#include <QString>

class Settings;

// A start with no usable main directory lays one out by itself, so that a program installed
// from a package opens on its welcome page without any set-up step.
namespace FirstStart {

// The program's data folder as an install lays it out: "<prefix>/share/corvalis" beside
// "<prefix>/bin". The build tree mirrors that layout.
QString dataDirBeside(const QString &binaryDir);

// "$XDG_DATA_HOME/corvalis/" ("~/.local/share/corvalis/" when it is not set).
QString defaultMainDir();

// True when `mainDir` holds the program's welcome page.
bool hasProgramFiles(const QString &mainDir);

struct Outcome {
    QString mainDir; // the main directory in use afterwards (empty when none could be laid out)
    QString error;   // why laying it out failed
};

// Keeps a recorded main directory that holds the program's files. One that lost them gets
// them back in place, so the user's saved messages and books stay where they are; where that
// fails, or none is recorded, `fallbackDir` is laid out from `dataDir` and recorded. A settings
// file that cannot be used (settingsProblem()) lays out nothing: that is the error.
Outcome ensureMainDir(Settings &settings, const QString &dataDir, const QString &fallbackDir);

} // namespace FirstStart
