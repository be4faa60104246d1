// The editor panel's controls, made at its first showing (the toolbar, the format lists and the
// blog buttons), and what the format lists' choices do.
#include "editor/editor_panel.h"

#include "editor/editing_surface.h"
#include "editor/editor_toolbar.h"

#include <QComboBox>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

using namespace EditorCommands;

// How long the format lists wait between looks at a busy surface.
constexpr int busyPollMs = 20;

// Whether a list may show a text that is none of its entries.
enum class ListText { EntriesOnly, AnyText };

QComboBox *formatList(const char *name, QWidget *parent, ListText text) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    if (text == ListText::AnyText) {
        // The list shows the selection's font, which need not be one of its entries.
        combo->setEditable(true);
        combo->lineEdit()->setReadOnly(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    return combo;
}

QPushButton *panelButton(const char *name, const char *caption, QWidget *parent) {
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

// The panel's own controls wait for its first showing: a window that never edits a document never
// pays for the desktop's font list and the toolbar's pictures.
void EditorPanel::createControls() {
    if (m_toolbar)
        return;
    QFrame &panel = m_context.panel;
    // The panel lies over a web page, which must not show through.
    panel.setAutoFillBackground(true);
    m_layout = new QVBoxLayout(&panel);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(2);
    m_toolbar = new EditorToolbar(&panel);
    m_layout->addWidget(m_toolbar);
    connect(m_toolbar, &EditorToolbar::buttonClicked, this, &EditorPanel::toolbarClicked);
    for (qsizetype feature = 0; feature < m_featureAvailable.size(); ++feature)
        setFeatureAvailable(Feature(feature), m_featureAvailable[feature]);

    m_fontCombo = formatList("FontCombo", &panel, ListText::AnyText);
    // The desktop's own families, so that a choice shows on screen; a document's font that is not
    // among them still shows as the list's text.
    // (A family that several foundries make is listed as "Name [Foundry]": the page knows it by name.)
    QStringList families;
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
            families << family.section(QStringLiteral(" ["), 0, 0);
    }
    families.removeDuplicates();
    m_fontCombo->addItems(families);
    // As wide as a usual name, not the longest one.
    m_fontCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_fontCombo->setMinimumContentsLength(14);
    m_sizeCombo = formatList("FontSizeCombo", &panel, ListText::AnyText);
    for (int size = 1; size <= 7; ++size)
        m_sizeCombo->addItem(QString::number(size));
    m_styleCombo = formatList("ComboStyle", &panel, ListText::EntriesOnly);
    m_styleCombo->addItem(QStringLiteral("Normal"));
    for (int level = 1; level <= 6; ++level)
        m_styleCombo->addItem(QStringLiteral("Heading %1").arg(level));
    connect(m_fontCombo, &QComboBox::activated, this, &EditorPanel::fontChosen);
    connect(m_sizeCombo, &QComboBox::activated, this, &EditorPanel::sizeChosen);
    connect(m_styleCombo, &QComboBox::activated, this, &EditorPanel::styleChosen);

    auto *place = panelButton("CommandPlaceEditor", "Place Editor over Page", &panel);
    auto *copy = panelButton("CommandCopyToPost", "Copy to Post Form", &panel);
    connect(place, &QPushButton::clicked, this, &EditorPanel::placeOverPageRequested);
    connect(copy, &QPushButton::clicked, this, [this] { requestPostTransfer(Transfer::Asked); });

    // A toolbar too, so that on a narrow page what does not fit waits behind its extension button.
    auto *lists = new QToolBar(&panel);
    lists->setObjectName(QStringLiteral("FormatBar"));
    lists->setFloatable(false);
    lists->setMovable(false);
    lists->addWidget(m_fontCombo);
    lists->addWidget(m_sizeCombo);
    lists->addWidget(m_styleCombo);
    // The spell check is also here, where it shows however narrow the post field makes the panel.
    lists->addAction(m_toolbar->button(QStringLiteral("spell")));
    auto *gap = new QWidget(lists);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    lists->addWidget(gap);
    lists->addWidget(place);
    lists->addWidget(copy);
    m_layout->addWidget(lists);
    // The surface's place, held until it is made: the bars stay at the top meanwhile, where the
    // user may already be clicking, rather than moving up once it comes.
    m_layout->addStretch(1);

    // The buttons' shortcuts work wherever the focus is in the panel.
    panel.addActions(m_toolbar->actions());
}

void EditorPanel::fontChosen(int index) {
    if (m_ready && index >= 0 && surface().queryStatus(SetFontName) >= Enabled) {
        m_surface->execCommand(SetFontName, DontPromptUser, m_fontCombo->itemText(index));
        waitWhileBusy();
    }
    returnFocus();
}

void EditorPanel::sizeChosen(int index) {
    // The size is the list position, whatever the entry says.
    if (m_ready && index >= 0)
        surface().execCommand(SetFontSize, DontPromptUser, index + 1);
    returnFocus();
}

void EditorPanel::styleChosen(int index) {
    // Styles apply at all times, not only before the first display change.
    if (index >= 0 && surface().queryStatus(SetBlockFormat) >= Enabled) {
        m_surface->execCommand(SetBlockFormat, DontPromptUser, m_styleCombo->itemText(index));
        waitWhileBusy();
    }
    returnFocus();
}

void EditorPanel::returnFocus() {
    // The list's closing pop-up gives the focus back to the list: the document takes it after.
    QTimer::singleShot(0, this, [this] {
        if (m_surface)
            m_surface->setFocus(Qt::OtherFocusReason);
        refreshToolbar();
    });
}

void EditorPanel::waitWhileBusy() {
    while (m_surface && m_surface->busy()) {
        QEventLoop loop;
        QTimer::singleShot(busyPollMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
}
