#include "shell/startup.h"

#include "base/lenient_number.h"
#include "base/settings.h"
#include "base/twips.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString withTrailingSeparator(QString dir) {
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('/');
    return dir;
}

constexpr int defaultEdTop = 950;
constexpr int defaultEdHt = 3030;

} // namespace

QString dataPath(const QString &mainDir, const QString &relative) {
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString dir = withTrailingSeparator(mainDir);
    dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return dir + rel;
}

QString welcomePagePath(const QString &mainDir) {
    return QFileInfo(dataPath(mainDir, QStringLiteral("html/welcome.htm"))).absoluteFilePath();
}

EditorPlacement defaultEditorPlacement(double dpi) {
    return {Twips::scaledDefault(defaultEdTop, dpi), Twips::scaledDefault(defaultEdHt, dpi)};
}

StartupValues readStartupValues(const Settings &settings, double dpi) {
    StartupValues v;
    v.mainDir = withTrailingSeparator(settings.get(Keys::MainDir));
    const EditorPlacement editor = defaultEditorPlacement(dpi);
    v.edTop = editor.top;
    v.edHt = editor.height;
    v.affiliateId = settings.get(Keys::AffId);
    v.affiliateText = settings.get(Keys::AffText);
    // A document saved unedited keeps its bytes whatever this says; "0" has an edited one written
    // whole instead of only its changed blocks.
    v.preserveHtml = settings.get(Keys::PreserveHtml) != QLatin1String("0");
    v.mainDictionary = settings.get(Keys::MainDictionary);
    if (v.mainDictionary.isEmpty())
        v.mainDictionary = dataPath(v.mainDir, QStringLiteral("american.vtd"));
    v.customDictionary = settings.get(Keys::CustomDictionary);
    v.autoLogTicked = lenientToInt(settings.get(Keys::AutoLogin)) > 0;

    v.maximized = settings.get(Keys::SetMax) == QLatin1String("1");
    if (!v.maximized) {
        const int left = lenientToInt(settings.get(Keys::Left));
        if (left > -1)
            v.placementTwips =
                QRect(left, lenientToInt(settings.get(Keys::Top)), lenientToInt(settings.get(Keys::Width)),
                      lenientToInt(settings.get(Keys::Height)));
    }
    if (settings.get(Keys::AutoPos) != QLatin1String("1")) {
        v.autoPosEditor = false;
        v.edTop = lenientToInt(settings.get(Keys::EdTop));
        v.edHt = lenientToInt(settings.get(Keys::EdHt));
    }
    return v;
}

SettingWrites shutdownWrites(const ShutdownState &s) {
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    SettingWrites writes{
        {Keys::AutoLogin, flag(s.autoLogTicked)}, {Keys::AutoPos, flag(s.autoPosEditor)},
        {Keys::DoAffiliate, flag(s.doAffiliate)}, {Keys::AffId, s.affiliateId},
        {Keys::AffText, s.affiliateText},         {Keys::EdTop, QString::number(s.edTop)},
        {Keys::EdHt, QString::number(s.edHt)},
    };
    if (s.windowState != WindowState::Normal) {
        writes.append({Keys::SetMax, QStringLiteral("1")});
    } else {
        writes.append({Keys::SetMax, QStringLiteral("0")});
        writes.append({Keys::Left, QString::number(s.geometryTwips.x())});
        writes.append({Keys::Top, QString::number(s.geometryTwips.y())});
        writes.append({Keys::Width, QString::number(s.geometryTwips.width())});
        writes.append({Keys::Height, QString::number(s.geometryTwips.height())});
    }
    return writes;
}
