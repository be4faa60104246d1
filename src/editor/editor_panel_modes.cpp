// The editor panel's two mode switches: the visual editor over the page, or the page itself.
#include "editor/editor_panel.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>

void EditorPanel::createModeSwitches() {
    // The mode switches stay reachable while the panel is hidden.
    m_checkNormal = new QCheckBox(QStringLiteral("Edit Visually "));
    m_checkNormal->setObjectName(QStringLiteral("CheckNormal"));
    m_checkSource = new QCheckBox(QStringLiteral("Edit HTML Source (tags)"));
    m_checkSource->setObjectName(QStringLiteral("CheckHTMLSource"));
    auto *modes = new QButtonGroup(this);
    modes->addButton(m_checkNormal);
    modes->addButton(m_checkSource);
    m_context.modeBar.addWidget(m_checkNormal);
    m_context.modeBar.addWidget(m_checkSource);
    connect(m_checkNormal, &QCheckBox::clicked, this, &EditorPanel::showVisual);
    connect(m_checkSource, &QCheckBox::clicked, this, &EditorPanel::showHtmlSource);
}

void EditorPanel::showHtmlSource() {
    // The page is uncovered and drawn at once; the transfer's round trips into both pages come
    // after, so the editor never lingers on screen while they run.
    QFrame &panel = m_context.panel;
    panel.hide();
    if (QWidget *under = panel.parentWidget())
        under->repaint(panel.geometry());
    requestPostTransfer(Transfer::Following);
}

void EditorPanel::showVisual() {
    m_context.panel.show();
    m_context.panel.raise();
}
