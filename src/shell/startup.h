#pragma once

#include "base/setting_write.h"

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class Settings;

// What start-up reads from the settings file, and what shutdown writes back, as values:
// the window applies them, these functions decide them.
struct StartupValues {
    QString mainDir; // always ends with a separator when not empty
    bool autoLogTicked = false;
    bool maximized = true;
    std::optional<QRect> placementTwips; // only when stored and left > -1
    bool autoPosEditor = true;
    int edTop = 0; // twips
    int edHt = 0;  // twips
    QString affiliateId;
    QString affiliateText;
    bool preserveHtml = true;
    QString mainDictionary;
    QString customDictionary;
};

struct EditorPlacement {
    int top = 0;    // twips
    int height = 0; // twips
};
// The automatic editor placement: 950 and 3030 twips at 15 twips per pixel, scaled by `dpi`.
EditorPlacement defaultEditorPlacement(double dpi);

// `dpi` scales the editor defaults, which are given for 15 twips per pixel.
StartupValues readStartupValues(const Settings &settings, double dpi);

enum class WindowState { Normal, Maximized, Minimized };

struct ShutdownState {
    bool autoLogTicked = false;
    bool autoPosEditor = true;
    bool doAffiliate = false;
    QString affiliateId;
    QString affiliateText;
    int edTop = 0;
    int edHt = 0;
    WindowState windowState = WindowState::Normal;
    QRect geometryTwips;
};

// The writes of shutdown, in their order.
SettingWrites shutdownWrites(const ShutdownState &state);

// Joins the main directory and a relative name written with "\" or "/".
QString dataPath(const QString &mainDir, const QString &relative);
// The absolute path of the welcome page installed in the main directory.
QString welcomePagePath(const QString &mainDir);
