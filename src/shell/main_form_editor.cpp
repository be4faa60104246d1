// The visual HTML editor's part of the main window: the editor panel over the main pane and
// the blog post page it writes into.
#include "shell/main_form.h"

#include "base/messages.h"
#include "base/twips.h"
#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "shell/input_hold.h"
#include "webpages/blog/wordpress_page.h"
#include "webpages/blog_post.h"
#include "webpages/web_pane.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>

#include <memory>

namespace {
// How far below the main pane's top the editor lies over the blog's post page.
constexpr int postPageEditorOffset = 950; // twips

// Tells when a widget changes its size or place.
class GeometryWatch : public QObject {
public:
    GeometryWatch(QWidget &widget, std::function<void()> changed)
        : QObject(&widget)
        , m_changed(std::move(changed)) {
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
            m_changed();
        return false;
    }

private:
    std::function<void()> m_changed;
};
} // namespace

void MainForm::createEditor() {
    m_editor = new EditorPanel({*m_editorPanel, *m_editorBar, m_messages, [this] { return m_startup.edHt; },
                                [this] { return m_startup.edTop; },
                                [this] { return Twips::fromPixels(m_panes[0]->height()); },
                                [this] { return m_startup.preserveHtml; }},
                               this);
    m_editor->setSettings(&m_settings);
    // The main pane narrows when the address-book pane opens, as well as with the window.
    new GeometryWatch(*m_panes[0], [this] { keepEditorOnMainPane(); });

    connect(m_editor, &EditorPanel::placeOverPageRequested, this, &MainForm::placeEditorOverPost);
    // Shown on the blog's post page, the editor goes over the post field at once. It belongs to
    // the page it was shown over: when the main pane leaves that page, it goes.
    auto *visual = findChild<QCheckBox *>(QStringLiteral("CheckNormal"));
    const auto shownOver = std::make_shared<QUrl>();
    connect(visual, &QCheckBox::toggled, this, [this, shownOver](bool shown) {
        if (!shown)
            return;
        *shownOver = m_panes[0]->url();
        if (BlogPost::fieldRect(*m_panes[0]))
            placeEditorOverPost();
    });
    connect(m_panes[0], &QWebEngineView::urlChanged, this, [this, visual, shownOver](const QUrl &url) {
        if (visual->isChecked() && url != *shownOver)
            visual->click();
    });
    auto *postInput = new InputHold(*m_panes[0], this);
    connect(m_editor, &EditorPanel::postTransferPending, this,
            [postInput](bool pending) { pending ? postInput->hold() : postInput->release(); });
    connect(m_editor, &EditorPanel::postTransferRequested, this, [this] {
        if (!m_editor->hasSurface())
            return;
        // The blog would strip parts of the post: the user hears which before they go, once
        // for each set of parts.
        const auto mayLose = [this](const QString &warning) {
            if (warning != m_postLossAnswered) {
                m_postLossAnswered = warning;
                m_postLossAccepted =
                    m_messages.ask(warning + QStringLiteral("\n\nCopy the document to the post anyway?"),
                                   Messages::Buttons::YesNo, Messages::Answer::No) == Messages::Answer::Yes;
            }
            return m_postLossAccepted;
        };
        BlogPost::transfer(
            *m_panes[0], [this] { return m_editor->surface().bodySource(); },
            {m_doAffiliate, m_startup.affiliateId, m_startup.affiliateText}, mayLose);
    });
    // A published post carries the document: it counts as kept, like a save.
    const auto kept = [this] {
        if (m_editor->hasSurface())
            m_editor->surface().markUnchanged();
    };
    connect(m_panes[0], &WebPane::formPosted, this, [kept](const QString &form) {
        if (form == QLatin1String("stuffform"))
            kept();
    });
    connect(new WordPressPublishing(*m_panes[0]), &WordPressPublishing::published, this, kept);
}

void MainForm::placeEditorOverPost() {
    // Over the post page the editor covers the body field alone, so the title and the page's
    // other fields stay in reach; elsewhere it lies a little below the main pane's top.
    const QRect pane = m_panes[0]->geometry();
    QRect place(pane.x(), pane.y() + Twips::toPixels(postPageEditorOffset), pane.width(),
                m_editorPanel->height());
    if (const std::optional<QRectF> field = BlogPost::fieldRect(*m_panes[0])) {
        const qreal zoom = m_panes[0]->zoomFactor();
        const QRectF shown(field->topLeft() * zoom, field->size() * zoom);
        place = shown.toAlignedRect().translated(pane.topLeft()).intersected(pane);
    }
    if (place.isEmpty())
        return;
    m_editorPanel->setGeometry(place);
    m_editorOverPost = true;
    if (auto *visual = findChild<QCheckBox *>(QStringLiteral("CheckNormal")); !visual->isChecked())
        visual->click();
}
