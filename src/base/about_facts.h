#pragma once

#include <QList>
#include <QString>

// What the about box tells, and what goes on the clipboard for a bug report.
struct AboutFacts {
    QString version;
    QString qtVersion;
    QString chromiumVersion;
    QString settingsFile;
    QString mainDir;
    QString platform;
    QString keyring; // the desktop keyring's last answer
};

struct ShippedPart {
    QString name;
    QString licence;
};

// The libraries and data the program is built from, with their licences.
QList<ShippedPart> shippedParts();

// One "Label: value" line per fact, for pasting into a bug report.
QString systemInformation(const AboutFacts &facts);
