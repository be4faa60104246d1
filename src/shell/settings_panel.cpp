#include "shell/settings_panel.h"

#include "shell/wrapping_check_box.h"
#include "shell/wrapping_push_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

SettingsPanel::SettingsPanel(const QString &serviceUrl, QWidget *parent)
    : QWidget(parent)
    , m_inboxFrame(new QGroupBox(QStringLiteral("Inbox Management/Spam Settings"), this)) {
    setObjectName(QStringLiteral("PictureSettings"));
    m_inboxFrame->setObjectName(QStringLiteral("FrameInbox"));
    auto *columns = new QHBoxLayout;
    columns->addWidget(m_inboxFrame, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(createStartPageFrame(serviceUrl));
    right->addWidget(createOptionsFrame());
    right->addStretch(1);
    columns->addLayout(right, 1);
    // The frames scroll when the window is too small for them; their captions wrap first.
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("SettingsContent"));
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->addLayout(columns);
    contentLayout->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("SettingsScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes to the controls, not to the area around them
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void SettingsPanel::setServiceUrl(const QString &address) {
    QString base = address;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    m_textHotmail->setText(base + QStringLiteral("/hotmail/inbox"));
    m_textYahoo->setText(base + QStringLiteral("/yahoo/inbox"));
}

QGroupBox *SettingsPanel::createStartPageFrame(const QString &serviceUrl) {
    auto *frame = new QGroupBox(QStringLiteral("Start Page"), this);
    frame->setObjectName(QStringLiteral("FrameStartPage"));
    m_textHotmail = new QLineEdit(frame);
    m_textHotmail->setObjectName(QStringLiteral("TextHotmail"));
    m_textYahoo = new QLineEdit(frame);
    m_textYahoo->setObjectName(QStringLiteral("TextYahoo"));
    setServiceUrl(serviceUrl);
    auto *optionH = new QRadioButton(QStringLiteral("MS&N Hotmail"), frame);
    optionH->setObjectName(QStringLiteral("OptionH"));
    auto *optionY = new QRadioButton(QStringLiteral("&Yahoo! Mail"), frame);
    optionY->setObjectName(QStringLiteral("OptionY"));
    // Choosing a start page puts it into the address box, ready for "Go".
    connect(optionH, &QRadioButton::clicked, this, [this] { emit startPageChosen(m_textHotmail->text()); });
    connect(optionY, &QRadioButton::clicked, this, [this] { emit startPageChosen(m_textYahoo->text()); });
    auto *gotoInbox = new WrappingCheckBox(
        QStringLiteral("Go directly to inbo&x after login (bypass mail home page)"), frame);
    gotoInbox->setObjectName(QStringLiteral("CheckGotoInbox"));

    // A grid, not a form layout: the wrapping caption below gets the height its width needs.
    auto *grid = new QGridLayout(frame);
    grid->addWidget(optionH, 0, 0);
    grid->addWidget(m_textHotmail, 0, 1);
    grid->addWidget(optionY, 1, 0);
    grid->addWidget(m_textYahoo, 1, 1);
    grid->addWidget(gotoInbox, 2, 0, 1, 2);
    return frame;
}

QGroupBox *SettingsPanel::createOptionsFrame() {
    auto *frame = new QGroupBox(QStringLiteral("Options"), this);
    frame->setObjectName(QStringLiteral("FrameOptions"));
    auto *defBrowser = new WrappingPushButton(
        QStringLiteral("Set Corvalis as your &Default E-mail Program (for mailto links)"), frame);
    defBrowser->setObjectName(QStringLiteral("CommandDefBrowser"));
    connect(defBrowser, &QPushButton::clicked, this, &SettingsPanel::defaultMailProgramHelpRequested);
    m_checkEmail = new WrappingCheckBox(QStringLiteral("Show Email Address &Palette on Startup"), frame);
    m_checkEmail->setObjectName(QStringLiteral("CheckEmail"));
    m_comboTemplate2 = new QComboBox(frame);
    m_comboTemplate2->setObjectName(QStringLiteral("ComboTemplate2"));
    m_comboFolders3 = new QComboBox(frame);
    m_comboFolders3->setObjectName(QStringLiteral("ComboFolders3"));
    m_comboFolders3->addItem(QStringLiteral("Saved"));
    auto *spellOptions = new QPushButton(QStringLiteral("Spell check Opitions"), frame);
    spellOptions->setObjectName(QStringLiteral("SpellOptions"));
    connect(spellOptions, &QPushButton::clicked, this, &SettingsPanel::spellOptionsRequested);
    auto *forgetWeb = new WrappingPushButton(QStringLiteral("&Forget Web Sign-ins and Site Data"), frame);
    forgetWeb->setObjectName(QStringLiteral("CommandForgetWeb"));
    connect(forgetWeb, &QPushButton::clicked, this, &SettingsPanel::forgetWebRequested);
    m_labelSignInPlace = new QLabel(frame);
    m_labelSignInPlace->setObjectName(QStringLiteral("LabelSignInPlace"));
    m_labelSignInPlace->setWordWrap(true);

    auto *form = new QFormLayout(frame);
    form->addRow(defBrowser);
    form->addRow(m_checkEmail);
    form->addRow(spellOptions);
    form->addRow(QStringLiteral("Default Email Template:"), m_comboTemplate2);
    form->addRow(QStringLiteral("Default folder:"), m_comboFolders3);
    form->addRow(m_labelSignInPlace);
    form->addRow(forgetWeb);
    return frame;
}
