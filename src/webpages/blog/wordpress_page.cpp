#include "webpages/blog/wordpress_page.h"

#include "webpages/blog/wordpress_post.h"
#include "webpages/page_wait.h"
#include "webpages/web_pane.h"

#include <QTimer>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {
// How long the block editor may take to show its Code editor after the switch.
constexpr int codeEditorTimeoutMs = 5000;
// How often the block editor's notices are looked at.
constexpr int noticePollMs = 400;
} // namespace

std::optional<WordPressPage::Screen> WordPressPage::screen(WebPane &pane) {
    if (!WordPressPost::isEditScreen(pane.url()))
        return std::nullopt;
    const QVariantMap found = pane.callBridge(u"wordpressScreen"_s).value_or(QVariant()).toMap();
    const QString kind = found.value(u"screen"_s).toString();
    if (kind != u"classic"_s && kind != u"block"_s)
        return std::nullopt;
    return Screen{kind == u"block"_s ? Screen::Editor::Block : Screen::Editor::Classic,
                  found.value(u"unfiltered"_s).toBool()};
}

bool WordPressPage::setBody(WebPane &pane, const Screen &screen, const QString &html) {
    const QString body = screen.editor == Screen::Editor::Block ? WordPressPost::blockBody(html)
                                                                : WordPressPost::classicBody(html);
    std::optional<QVariant> answer;
    PageWait wait;
    wait.setPollInterval(50);
    wait.until(
        [&] {
            answer = pane.callWithText(u"wordpressSetBody"_s, {}, body);
            return !answer || answer->toString() != u"waiting"_s;
        },
        codeEditorTimeoutMs);
    return answer && answer->typeId() == QMetaType::Bool && answer->toBool();
}

std::optional<QRectF> WordPressPage::bodyRect(WebPane &pane) {
    if (!screen(pane))
        return std::nullopt;
    const QVariantList r = pane.callBridge(u"wordpressBodyRect"_s).value_or(QVariant()).toList();
    if (r.size() != 4)
        return std::nullopt;
    return QRectF(r[0].toDouble(), r[1].toDouble(), r[2].toDouble(), r[3].toDouble());
}

WordPressPublishing::WordPressPublishing(WebPane &pane)
    : QObject(&pane)
    , m_pane(pane)
    , m_noticePoll(new QTimer(this)) {
    m_noticePoll->setInterval(noticePollMs);
    connect(m_noticePoll, &QTimer::timeout, this, &WordPressPublishing::checkNotice);
    connect(&pane, &WebPane::documentCompleted, this, &WordPressPublishing::pageLoaded);
}

void WordPressPublishing::pageLoaded() {
    m_noticeShown = false;
    // The block editor draws itself after loading and saves without leaving the page: its
    // notices are watched while an edit screen shows.
    if (WordPressPost::isEditScreen(m_pane.url()))
        m_noticePoll->start();
    else
        m_noticePoll->stop();
    // The classic screen's answer: its address says so until the page's script tidies it away,
    // which may come before the load completes; its notice says so for good.
    const std::optional<QString> notice = m_pane.elementText(u"message"_s);
    if (notice && (WordPressPost::confirmsPublishing(m_pane.url()) ||
                   (WordPressPost::isEditScreen(m_pane.url()) &&
                    WordPressPost::noticeConfirmsPublishing(notice->trimmed())))) {
        m_noticeShown = true;
        emit published();
    }
}

void WordPressPublishing::checkNotice() {
    const std::optional<QVariant> notice = m_pane.callBridge(u"wordpressNotice"_s);
    const bool confirms = notice && WordPressPost::noticeConfirmsPublishing(notice->toString());
    if (confirms && !m_noticeShown)
        emit published();
    m_noticeShown = confirms;
}
