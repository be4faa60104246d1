#pragma once

class QCheckBox;
class QPushButton;
class QWidget;
class Settings;
struct SettingKey;

// Small builders for the window's parts: a named button, and a check box kept in the settings file.
namespace SettingWidgets {

QPushButton *button(const char *name, const char *caption, QWidget *parent);
// Ticked when the stored value is "1"; every change is stored at once.
void keepInSettings(QCheckBox &box, Settings &settings, const SettingKey &key);
// A new box kept in the settings file as above.
QCheckBox *checkBox(const char *name, const char *caption, Settings &settings, const SettingKey &key,
                    QWidget *parent);

} // namespace SettingWidgets
