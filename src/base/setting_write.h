#pragma once

#include "base/settings_keys.h"

#include <QList>
#include <QString>

// One change to the settings file, decided by the logic and carried out by its caller.
struct SettingWrite {
    SettingKey key;
    QString value;
};
using SettingWrites = QList<SettingWrite>;
