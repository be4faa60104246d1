#pragma once

#include <QString>

#include <optional>

class Settings;

// Why the settings file cannot serve as one, for the user to be told once: it is there but cannot
// be read (not a regular file, too large, unreadable), or it is a symbolic link whose target may
// not be written (missing, not a regular file of this user's, a program). Nothing while the file
// is usable or simply missing.
std::optional<QString> settingsProblem(const Settings &settings);
