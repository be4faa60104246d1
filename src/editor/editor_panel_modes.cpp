// The editor panel's two mode switches: the visual editor over the page, or the page itself.
#include "editor/editor_panel.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>

namespace {

void uncoverPage(QFrame &panel) {
    panel.hide();
    if (QWidget *under = panel.parentWidget())
        under->repaint(panel.geometry());
}

} // namespace

void EditorPanel::createModeSwitches() {
    // The mode switches stay reachable while the panel is hidden.
    m_checkNormal = new QCheckBox(QStringLiteral("Edit Visually "));
    m_checkNormal->setObjectName(QStringLiteral("CheckNormal"));
    m_checkSource = new QCheckBox(QStringLiteral("Edit HTML Source (tags)"));
    m_checkSource->setObjectName(QStringLiteral("CheckHTMLSource"));
    m_context.modeBar.addWidget(m_checkNormal);
    m_context.modeBar.addWidget(m_checkSource);
    // A switch ticked unticks the other; unticked, it leaves neither mode on: the editor is put
    // away. Its document stays (a change is still offered for saving before it is lost), and the
    // post field has it already: leaving the editor for the switch carried it over.
    connect(m_checkNormal, &QCheckBox::clicked, this,
            [this](bool on) { on ? showVisual() : uncoverPage(m_context.panel); });
    connect(m_checkSource, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            showHtmlSource();
    });
}

void EditorPanel::showHtmlSource() {
    m_checkNormal->setChecked(false);
    // The page is uncovered and drawn at once; the transfer's round trips into both pages come
    // after, so the editor never lingers on screen while they run.
    uncoverPage(m_context.panel);
    requestPostTransfer(Transfer::Following);
}

void EditorPanel::showVisual() {
    m_checkSource->setChecked(false);
    m_context.panel.show();
    m_context.panel.raise();
}
