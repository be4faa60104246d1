#include "shell/setting_widgets.h"

#include "base/settings.h"
#include "shell/wrapping_check_box.h"

#include <QCheckBox>
#include <QPushButton>

QPushButton *SettingWidgets::button(const char *name, const char *caption, QWidget *parent) {
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

void SettingWidgets::keepInSettings(QCheckBox &box, Settings &settings, const SettingKey &key) {
    box.setChecked(settings.get(key) == QLatin1String("1"));
    QObject::connect(&box, &QCheckBox::toggled, &box, [&settings, &key](bool on) {
        settings.set(key, on ? QStringLiteral("1") : QStringLiteral("0"));
    });
}

QCheckBox *SettingWidgets::checkBox(const char *name, const char *caption, Settings &settings,
                                    const SettingKey &key, QWidget *parent) {
    auto *box = new WrappingCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    keepInSettings(*box, settings, key);
    return box;
}
