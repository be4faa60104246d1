#pragma once

#include <QObject>
#include <QRectF>
#include <QString>

#include <optional>

class QTimer;
class WebPane;

// WordPress's post edit screens in a pane: which one is shown, the post's body written so that
// the user's own Publish publishes it, where the body is on screen, and WordPress's word that a
// post was published.
namespace WordPressPage {

struct Screen {
    enum class Editor { Classic, Block };
    Editor editor;
    bool unfiltered; // the signed-in user's posts keep scripts, frames and forms
};

// The edit screen the pane shows; nothing on any other page (the dashboard's Quick Draft too).
std::optional<Screen> screen(WebPane &pane);

// Writes `html` as the body of the post on `screen`, in the form WordPress shows as the editor
// does. False when the page took nothing.
bool setBody(WebPane &pane, const Screen &screen, const QString &html);

// The post body's area on screen, in the pane's CSS pixels.
std::optional<QRectF> bodyRect(WebPane &pane);

} // namespace WordPressPage

// Tells when WordPress confirms that the pane's post was published: the classic screen's answer
// to its form, or the block editor's notice once it has saved the post.
class WordPressPublishing : public QObject {
    Q_OBJECT
public:
    explicit WordPressPublishing(WebPane &pane);

signals:
    void published();

private:
    void pageLoaded();
    void checkNotice();

    WebPane &m_pane;
    QTimer *m_noticePoll;
    bool m_noticeShown = false;
};
