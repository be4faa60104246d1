// The editor panel's part in the blog post: asking for the post field to follow the document,
// once the user has heard of pictures that readers of the blog cannot see.
#include "editor/editor_panel.h"

#include "base/messages.h"
#include "editor/editing_surface.h"

void EditorPanel::requestPostTransfer(Transfer how) {
    // Readers of the blog cannot load pictures from this computer's files: the user hears of them
    // before they go into the post. The answer holds for the transfers that follow the editor by
    // themselves until the pictures change; the Copy button asks each time.
    if (m_askingAboutPictures)
        return;
    const QStringList pictures = m_surface ? m_surface->localPictures() : QStringList();
    if (!pictures.isEmpty() && (how == Transfer::Asked || pictures != m_picturesAnswered)) {
        m_askingAboutPictures = true;
        const Messages::Answer answer = m_context.messages.ask(
            QStringLiteral("These pictures are files on this computer, which readers of the blog cannot "
                           "see:\n\n%1\n\nCopy the document to the post form anyway?")
                .arg(pictures.join(QLatin1Char('\n'))),
            Messages::Buttons::YesNo, Messages::Answer::No);
        m_askingAboutPictures = false;
        m_picturesAnswered = pictures;
        m_picturesAccepted = answer == Messages::Answer::Yes;
    }
    if (pictures.isEmpty() || m_picturesAccepted)
        emit postTransferRequested();
}
