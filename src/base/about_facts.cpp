#include "base/about_facts.h"

QList<ShippedPart> shippedParts() {
    return {
        {QStringLiteral("Qt (Widgets, WebEngine, WebChannel)"), QStringLiteral("LGPL 3")},
        {QStringLiteral("Chromium, through Qt WebEngine"), QStringLiteral("BSD-style and others")},
        {QStringLiteral("nuspell"), QStringLiteral("LGPL 3 or later")},
        {QStringLiteral("Hunspell dictionaries (en, nl, fr, de, it)"),
         QStringLiteral("LGPL, GPL, MPL and BSD-style, as each dictionary states")},
        {QStringLiteral("cpp-httplib (the local test service)"), QStringLiteral("MIT")},
    };
}

QString systemInformation(const AboutFacts &facts) {
    const QString unknown = QStringLiteral("(not set)");
    const auto line = [&](const char *label, const QString &value) {
        return QString::fromLatin1(label) + QStringLiteral(": ") + (value.isEmpty() ? unknown : value) +
               QLatin1Char('\n');
    };
    return line("Corvalis", facts.version) + line("Qt", facts.qtVersion) +
           line("Chromium", facts.chromiumVersion) + line("System", facts.platform) +
           line("Settings file", facts.settingsFile) + line("Main directory", facts.mainDir) +
           line("Keyring", facts.keyring);
}
