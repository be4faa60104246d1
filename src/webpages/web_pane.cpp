#include "webpages/web_pane.h"

#include "webpages/dom_bridge_host.h"
#include "webpages/page_wait.h"
#include "webpages/text_change.h"

#include <QChildEvent>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QWebChannel>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <memory>

// Resources of a static library must be registered by name before use.
static void initBridgeResources() {
    Q_INIT_RESOURCE(webpages);
}

namespace {

QString readResource(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The bridge script, with the web channel client and the pane's own rules before it; read once per
// process. "bridge.js" sorts before the "bridge_<area>.js" files that add each area's functions.
const QString &bridgeSource() {
    initBridgeResources();
    static const QString source = [] {
        QString all = readResource(QStringLiteral(":/qtwebchannel/qwebchannel.js")) +
                      QStringLiteral("\nvar corvalisUserSubmitMs = %1;").arg(WebPane::userSubmitMs);
        const QDir dir(QStringLiteral(":/corvalis/bridge"));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
            all += QLatin1Char('\n') + readResource(dir.filePath(name));
        return all;
    }();
    return source;
}

} // namespace

QString withCrLf(const QString &text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') && (i == 0 || text.at(i - 1) != QLatin1Char('\r')))
            out += QLatin1Char('\r');
        out += c;
    }
    return out;
}

WebPane::WebPane(PageScripts scripts, LocalPages localPages, QWidget *parent)
    : QWebEngineView(parent)
    , m_host(new DomBridgeHost(this))
    , m_channel(new QWebChannel(this)) {
    auto *page = new WebPage(scripts, localPages, this);
    setPage(page);
    // The widget that takes the page's input is a child made along with the page.
    installEventFilter(this);
    for (QObject *child : children())
        child->installEventFilter(this);
    installBridge();

    connect(page, &WebPage::navigationRequested, this, &WebPane::navigationRequested);
    connect(page, &QWebEnginePage::loadStarted, this, [this] { m_busy = true; });
    connect(page, &QWebEnginePage::loadProgress, this,
            [this](int progress) { emit progressChanged(progress, 100); });
    connect(page, &WebPage::formNavigationRequested, this, &WebPane::formNavigation);
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        m_busy = false;
        // What the page left behind belongs to the page before this one.
        m_announcedPost.reset();
        m_formNavigation.reset();
        m_documentUrl = url().toString();
        emit progressChanged(0, 100);
        emit documentCompleted(ok);
    });
    connect(page, &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { emit statusTextChanged(url); });
    connect(page, &QWebEnginePage::urlChanged, this, [this] { m_knownFields.clear(); });
    connect(m_host, &DomBridgeHost::fieldsReported, this, &WebPane::rememberFields);
    connect(m_host, &DomBridgeHost::submitReported, this,
            [this](const QString &form, const QString &action, const QString &data) {
                postAnnounced({form, action, data});
            });
}

void WebPane::installBridge() {
    m_channel->registerObject(QStringLiteral("corvalisHost"), m_host);
    page()->setWebChannel(m_channel, QWebEngineScript::ApplicationWorld);

    QWebEngineScript script;
    script.setName(QStringLiteral("corvalis-bridge"));
    script.setSourceCode(bridgeSource());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    page()->scripts().insert(script);
}

QString WebPane::locationUrl() const {
    return url().toString();
}

void WebPane::navigate(const QString &address) {
    m_addressWhenShown.clear();
    // A pane that moves only through the program's loads lets this one through.
    webPage().beginOwnLoad();
    // Addresses typed without a scheme are meant as web addresses, and plain paths as files.
    setUrl(QUrl::fromUserInput(address, QString(), QUrl::AssumeLocalFile));
}

void WebPane::navigateWhenShown(const QString &address) {
    if (isVisible())
        navigate(address);
    else
        m_addressWhenShown = address;
}

void WebPane::showEvent(QShowEvent *event) {
    QWebEngineView::showEvent(event);
    if (!m_addressWhenShown.isEmpty())
        navigate(m_addressWhenShown);
}

std::optional<QVariant> WebPane::callBridge(const QString &function, const QVariantList &arguments) {
    return runBridge(function, arguments, QVariant());
}

std::optional<QVariant> WebPane::callWithText(const QString &function, const QVariantList &arguments,
                                              const QString &text) {
    const QString stale = QStringLiteral("corvalis:stale");
    const int id = ++m_lastTextId;
    const auto send = [&](const QVariantList &sent) {
        return callBridge(QStringLiteral("withText"), {function, QVariant(arguments), QVariant(sent)});
    };
    std::optional<QVariant> answer;
    const auto before = m_sentTexts.constFind(function);
    if (before != m_sentTexts.cend()) {
        const TextChange change = TextChange::between(before->text, text);
        answer = send({id, before->id, change.keptStart, change.keptEnd, change.middle});
    }
    if (before == m_sentTexts.cend() || (answer && answer->toString() == stale))
        answer = send({id, text});
    // Without an answer the page may not have kept it: the next goes whole.
    if (answer && answer->toString() != stale)
        m_sentTexts.insert(function, {id, text});
    else
        m_sentTexts.remove(function);
    return answer;
}

std::optional<QVariant> WebPane::callWrite(const QString &function, const QVariantList &arguments) {
    if (!m_writePlace)
        return callBridge(function, arguments);
    const QString page = m_writePlace->localPage ? m_writePlace->localPage() : QString();
    return runBridge(
        function, arguments,
        QVariantMap{{QStringLiteral("origin"), m_writePlace->origin()}, {QStringLiteral("localPage"), page}});
}

std::optional<QVariant> WebPane::runBridge(const QString &function, const QVariantList &arguments,
                                           const QVariant &place) {
    const QByteArray json = QJsonDocument(QJsonArray::fromVariantList({QVariant(arguments), place}))
                                .toJson(QJsonDocument::Compact);
    const QString script =
        QStringLiteral("(function(){const b=window.corvalisBridge, [args, place]=%2;"
                       "return b && (!place || b.isIn(place)) ? b.%1.apply(b, args) : null;})()")
            .arg(function, QString::fromUtf8(json));

    // The answer may arrive after the wait has ended, so it lands in shared state.
    struct Answer {
        bool arrived = false;
        std::optional<QVariant> value;
        QPointer<PageWait> wait;
    };
    auto answer = std::make_shared<Answer>();
    PageWait wait;
    wait.setPollInterval(callTimeoutMs);
    answer->wait = &wait;
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant &result) {
        answer->arrived = true;
        if (result.isValid() && !result.isNull())
            answer->value = result;
        if (answer->wait)
            answer->wait->wake();
    });
    // A call cut short by the application's quit finds nothing, like one that gets no answer.
    if (wait.until([&answer] { return answer->arrived; }, callTimeoutMs) != PageWait::Outcome::Met)
        return std::nullopt;
    return answer->value;
}

std::optional<QString> WebPane::formFieldValue(const QString &form, const QString &field) {
    const auto v = callBridge(QStringLiteral("formFieldValue"), {form, field});
    return v ? std::optional(v->toString()) : std::nullopt;
}

bool WebPane::setFormFieldValue(const QString &form, const QString &field, const QString &value) {
    const auto v = callWrite(QStringLiteral("setFormFieldValue"), {form, field, value});
    if (!v || !v->toBool())
        return false;
    m_knownFields[form].insert(field, value);
    return true;
}

bool WebPane::setFormAction(const QString &form, const QString &action) {
    const auto v = callWrite(QStringLiteral("setFormAction"), {form, action});
    return v && v->toBool();
}

bool WebPane::submitForm(const QString &form, const QString &actionSuffix) {
    return reportPost(callWrite(QStringLiteral("submitForm"), {form, actionSuffix}));
}

bool WebPane::fillAndSubmitAt(const QVariantMap &place, const QString &form, const QVariantMap &fields) {
    const auto v = callBridge(QStringLiteral("fillAndSubmitOn"), {place, form, fields});
    if (!v || v->typeId() != QMetaType::QVariantMap)
        return false;
    rememberFields(form, fields);
    return reportPost(v);
}

bool WebPane::reportPost(const std::optional<QVariant> &v) {
    if (!v)
        return false;
    const QVariantMap posted = v->toMap();
    m_announcedPost.reset();
    emit formPosted(posted.value(QStringLiteral("form")).toString(),
                    posted.value(QStringLiteral("action")).toString(),
                    posted.value(QStringLiteral("data")).toString());
    return true;
}

std::optional<QString> WebPane::elementText(const QString &id) {
    const auto v = callBridge(QStringLiteral("elementText"), {id});
    return v ? std::optional(withCrLf(v->toString())) : std::nullopt;
}

std::optional<QString> WebPane::elementHtml(const QString &id) {
    // Line breaks inside markup (plain-text bodies) follow the same CR LF rule as page text.
    const auto v = callBridge(QStringLiteral("elementHtml"), {id});
    return v ? std::optional(withCrLf(v->toString())) : std::nullopt;
}

bool WebPane::setElementHtml(const QString &id, const QString &html) {
    const auto v = callWrite(QStringLiteral("setElementHtml"), {id, html});
    return v && v->toBool();
}

std::optional<QHash<QString, QString>> WebPane::elementTexts(const QStringList &ids) {
    const auto v = callBridge(QStringLiteral("elementTexts"), {ids});
    if (!v)
        return std::nullopt;
    QHash<QString, QString> texts;
    const QVariantMap found = v->toMap();
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        if (!it.value().isNull())
            texts.insert(it.key(), withCrLf(it.value().toString()));
    }
    return texts;
}

std::optional<QString> WebPane::bodyText() {
    const auto v = callBridge(QStringLiteral("bodyText"));
    return v ? std::optional(withCrLf(v->toString())) : std::nullopt;
}

std::optional<QString> WebPane::knownFieldValue(const QString &form, const QString &field) const {
    const auto f = m_knownFields.constFind(form);
    if (f == m_knownFields.cend() || !f->contains(field))
        return std::nullopt;
    return f->value(field).toString();
}

void WebPane::rememberFields(const QString &form, const QVariantMap &fields) {
    QVariantMap &known = m_knownFields[form];
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        known.insert(it.key(), it.value());
}

namespace {

// The address a form goes to, whatever query the form's fields or its action add.
QUrl postTarget(const QUrl &url) {
    return url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
}

} // namespace

bool WebPane::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (watched == this)
            static_cast<QChildEvent *>(event)->child()->installEventFilter(this);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (watched != this)
            m_lastUserInput.start();
        break;
    default:
        break;
    }
    return QWebEngineView::eventFilter(watched, event);
}

void WebPane::postAnnounced(const Post &post) {
    if (!m_lastUserInput.isValid() || m_lastUserInput.hasExpired(userSubmitMs))
        return;
    if (m_formNavigation && postTarget(*m_formNavigation) == postTarget(QUrl(post.action))) {
        m_formNavigation.reset();
        emit formPosted(post.form, post.action, post.data);
        return;
    }
    m_announcedPost = post;
}

void WebPane::formNavigation(const QUrl &target) {
    if (m_announcedPost && postTarget(target) == postTarget(QUrl(m_announcedPost->action))) {
        const Post post = *std::exchange(m_announcedPost, std::nullopt);
        emit formPosted(post.form, post.action, post.data);
        return;
    }
    m_formNavigation = target;
}
