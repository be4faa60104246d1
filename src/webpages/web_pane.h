#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QVariant>
#include <QWebEngineView>

#include "webpages/web_page.h"

#include <functional>
#include <optional>

class DomBridgeHost;
class QWebChannel;

// One browser pane. Besides showing a page it offers a small typed way into the page's
// document (forms, fields, elements), each call one round trip into the page. Calls wait
// for their answer in a local event loop, so other events keep running meanwhile; a lookup
// that finds nothing, or gets no answer in time, gives std::nullopt (or false).
class WebPane : public QWebEngineView {
    Q_OBJECT
public:
    using PageScripts = WebPage::PageScripts;
    using LocalPages = WebPage::LocalPages;

    explicit WebPane(PageScripts scripts = PageScripts::Enabled, LocalPages localPages = LocalPages::Sealed,
                     QWidget *parent = nullptr);

    WebPage &webPage() const { return *static_cast<WebPage *>(page()); }
    QString locationUrl() const;
    // The address of the document last loaded: the page a navigation is leaving. Unlike
    // locationUrl() it does not move to the target as soon as a navigation starts.
    QString documentUrl() const { return m_documentUrl; }
    bool busy() const { return m_busy; }
    void navigate(const QString &address);
    // Loads `address` now when the pane is on screen, else as it shows (unless another page is
    // asked for meanwhile): a page nobody may look at costs no loading.
    void navigateWhenShown(const QString &address);

    // Where the program may write into this pane's documents (fields, elements, a form's action,
    // a submit): a document of the web origin `origin` gives (as a page's location.origin spells
    // it), or the local page file `localPage` names, when given. Checked inside the page at the
    // moment of each write, so a document that has replaced the service's meanwhile gets nothing.
    // A pane without one writes wherever it is.
    struct WritePlace {
        std::function<QString()> origin;
        std::function<QString()> localPage;
    };
    void keepWritesOn(WritePlace place) { m_writePlace = std::move(place); }

    std::optional<QString> formFieldValue(const QString &form, const QString &field);
    bool setFormFieldValue(const QString &form, const QString &field, const QString &value);
    bool setFormAction(const QString &form, const QString &action);
    // Submits the form after appending `actionSuffix` to its action; reports the post.
    bool submitForm(const QString &form, const QString &actionSuffix = {});
    // Fills the `fields` of `form` and submits it, all in one step inside the page, and only while
    // the page shown is the local file `path`; reports the post.
    bool fillAndSubmitOn(const QString &path, const QString &form, const QVariantMap &fields) {
        return fillAndSubmitAt({{QStringLiteral("localPage"), path}}, form, fields);
    }
    // The same on a web page: only while the page shown is of `origin` with the path `path` exactly.
    bool fillAndSubmitOn(const QString &origin, const QString &path, const QString &form,
                         const QVariantMap &fields) {
        return fillAndSubmitAt({{QStringLiteral("origin"), origin}, {QStringLiteral("path"), path}}, form,
                               fields);
    }
    std::optional<QString> elementText(const QString &id);
    std::optional<QString> elementHtml(const QString &id);
    // The text of several elements read at one moment from one document; an element that is
    // missing has no entry.
    std::optional<QHash<QString, QString>> elementTexts(const QStringList &ids);
    bool setElementHtml(const QString &id, const QString &html);
    std::optional<QString> bodyText();

    // The fields of a form as last reported by the page or written by the program, without
    // a round trip: usable at the moment the page is being left.
    std::optional<QString> knownFieldValue(const QString &form, const QString &field) const;

    // Runs one bridge function; exposed for the page operations of other subsystems. Virtual so
    // that a pane that watches its calls (the editor's) sees those made through a WebPane too.
    virtual std::optional<QVariant> callBridge(const QString &function, const QVariantList &arguments = {});
    // The same with a long text (a post's body) as the last argument. After the first, each text goes
    // as its change to the one sent to `function` before; whole again once the page is another.
    std::optional<QVariant> callWithText(const QString &function, const QVariantList &arguments,
                                         const QString &text);

    // How long a bridge call may wait for its answer.
    static constexpr int callTimeoutMs = 5000;
    // How long after the user's last click or key in the pane a submit the page reports is theirs.
    static constexpr int userSubmitMs = 2000;

signals:
    void navigationRequested(const QUrl &target);
    void documentCompleted(bool ok);
    void statusTextChanged(const QString &text);
    void progressChanged(int progress, int maximum);
    // A form was posted: by submitForm() or fillAndSubmitOn(), or by a submit the page reported
    // that really left it, shortly after the user's own click or key in this pane. A page script's
    // submit without them (requestSubmit(), a button's click()) is no post of the user's.
    void formPosted(const QString &form, const QString &action, const QString &postData);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Post {
        QString form, action, data;
    };
    void installBridge();
    bool fillAndSubmitAt(const QVariantMap &place, const QString &form, const QVariantMap &fields);
    // A bridge call that writes: made only while the document is in the pane's write place.
    std::optional<QVariant> callWrite(const QString &function, const QVariantList &arguments);
    std::optional<QVariant> runBridge(const QString &function, const QVariantList &arguments,
                                      const QVariant &place);
    void rememberFields(const QString &form, const QVariantMap &fields);
    // Announces the post a bridge submit gave back; false when it gave none.
    bool reportPost(const std::optional<QVariant> &posted);
    // A post counts once the page has announced it and the browser navigates with it, in
    // whichever order the two arrive.
    void postAnnounced(const Post &post);
    void formNavigation(const QUrl &target);

    std::optional<WritePlace> m_writePlace;
    DomBridgeHost *m_host;
    QWebChannel *m_channel;
    bool m_busy = false;
    QString m_addressWhenShown;
    QString m_documentUrl;
    QHash<QString, QVariantMap> m_knownFields;
    struct SentText {
        int id;
        QString text;
    };
    QHash<QString, SentText> m_sentTexts; // by function, as the page keeps them
    int m_lastTextId = 0;
    std::optional<Post> m_announcedPost;
    std::optional<QUrl> m_formNavigation;
    // The last mouse button or key the user pressed in the pane (Qt delivers them to the view's
    // child widgets, which the pane watches).
    QElapsedTimer m_lastUserInput;
};

// Page text as the program's text rules expect it: line breaks as CR LF.
QString withCrLf(const QString &text);
