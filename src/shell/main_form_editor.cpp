// The visual HTML editor's part of the main window: the editor panel over the main pane and
// the blog post page it writes into.
#include "shell/main_form.h"

#include "base/twips.h"
#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "webpages/blog_post.h"
#include "webpages/web_pane.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>

namespace {
// How far below the main pane's top the editor lies over the blog's post page.
constexpr int postPageEditorOffset = 950; // twips
} // namespace

void MainForm::createEditor() {
    m_editor = new EditorPanel({*m_editorPanel, *m_editorBar, m_messages, [this] { return m_startup.edHt; },
                                [this] { return m_startup.edTop; },
                                [this] { return Twips::fromPixels(m_panes[0]->height()); },
                                [this] { return m_startup.preserveHtml; }},
                               this);

    connect(m_editor, &EditorPanel::placeOverPageRequested, this, [this] {
        const QRect pane = m_panes[0]->geometry();
        m_editorPanel->setGeometry(pane.x(), pane.y() + Twips::toPixels(postPageEditorOffset), pane.width(),
                                   m_editorPanel->height());
        m_editorPanel->show();
        m_editorPanel->raise();
        if (auto *visual = findChild<QCheckBox *>(QStringLiteral("CheckNormal")))
            visual->setChecked(true);
    });
    connect(m_editor, &EditorPanel::postTransferRequested, this, [this] {
        if (!m_editor->hasSurface())
            return;
        BlogPost::transfer(*m_panes[0], [this] { return m_editor->surface().bodyHtml(); },
                           {m_doAffiliate, m_startup.affiliateId, m_startup.affiliateText});
    });
}
