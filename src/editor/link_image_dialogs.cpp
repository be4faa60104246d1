#include "editor/link_image_dialogs.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "editor/form_hyper_link.h"
#include "editor/form_image.h"

LinkImageDialogs::LinkImageDialogs(EditorPanel &panel, Messages &messages, QWidget *owner)
    : QObject(owner)
    , m_panel(panel)
    , m_messages(messages)
    , m_owner(owner)
    , m_show([](QDialog &dialog) { dialog.exec(); }) {
    connect(&panel, &EditorPanel::linkRequested, this, &LinkImageDialogs::hyperLink);
    connect(&panel, &EditorPanel::imageRequested, this, &LinkImageDialogs::image);
    panel.setFeatureAvailable(EditorPanel::Feature::Link, true);
    panel.setFeatureAvailable(EditorPanel::Feature::Image, true);
}

void LinkImageDialogs::hyperLink() {
    FormHyperLink dialog(m_panel.surface(), m_messages, m_owner);
    if (dialog.prepare())
        m_show(dialog);
}

void LinkImageDialogs::image() {
    FormImage dialog(m_panel.surface(), m_messages, m_owner, &m_panel.folders());
    m_show(dialog);
}
