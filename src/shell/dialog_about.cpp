#include "shell/dialog_about.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace {

QLabel *selectableLabel(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setWordWrap(true);
    return label;
}

QString facts(const AboutFacts &f) {
    const auto row = [](const QString &label, const QString &value) {
        return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
            .arg(label.toHtmlEscaped(), value.toHtmlEscaped());
    };
    return QStringLiteral("<table cellspacing=4>") + row(QStringLiteral("Version"), f.version) +
           row(QStringLiteral("Qt"), f.qtVersion) + row(QStringLiteral("Chromium"), f.chromiumVersion) +
           row(QStringLiteral("System"), f.platform) + row(QStringLiteral("Settings file"), f.settingsFile) +
           row(QStringLiteral("Main directory"), f.mainDir) + QStringLiteral("</table>");
}

QString licences() {
    QString text = QStringLiteral("<p>Corvalis is built with:</p><ul>");
    for (const ShippedPart &part : shippedParts())
        text +=
            QStringLiteral("<li>%1: %2</li>").arg(part.name.toHtmlEscaped(), part.licence.toHtmlEscaped());
    return text + QStringLiteral("</ul>");
}

} // namespace

DialogAbout::DialogAbout(const AboutFacts &facts, QWidget *parent)
    : QDialog(parent)
    , m_facts(facts) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Corvalis"));
    auto *layout = new QVBoxLayout(this);
    auto *title =
        selectableLabel(QStringLiteral("<h2>Corvalis %1</h2>").arg(facts.version.toHtmlEscaped()), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    layout->addWidget(title);
    layout->addWidget(selectableLabel(
        QStringLiteral("A desktop companion for web mail and blogging: your service's own pages, with "
                       "saved folders, address books, templates, mail merge and an HTML editor kept in "
                       "plain files on your machine."),
        this));
    auto *details = selectableLabel(::facts(facts), this);
    details->setObjectName(QStringLiteral("lblFacts"));
    layout->addWidget(details);
    layout->addWidget(selectableLabel(licences(), this));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *copy =
        buttons->addButton(QStringLiteral("&Copy system information"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(systemInformation(m_facts)); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

AboutFacts DialogAbout::currentFacts(const QString &settingsFile, const QString &mainDir) {
    AboutFacts f;
    f.version = QStringLiteral(CORVALIS_VERSION);
    f.qtVersion = QString::fromLatin1(qVersion());
    f.chromiumVersion = QString::fromLatin1(qWebEngineChromiumVersion());
    f.platform = QSysInfo::prettyProductName() + QStringLiteral(", ") + QSysInfo::currentCpuArchitecture();
    f.settingsFile = settingsFile;
    f.mainDir = mainDir;
    return f;
}
