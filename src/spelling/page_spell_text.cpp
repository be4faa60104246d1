#include "spelling/page_spell_text.h"

#include "spelling/word_splitter.h"
#include "webpages/web_pane.h"

#include <QFile>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {

const QString &pageScript() {
    static const QString script = [] {
        QFile file(QStringLiteral(":/corvalis/spelling/page_spelling.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return script;
}

} // namespace

PageSpellText::PageSpellText(WebPane &pane)
    : m_pane(pane) {
    Q_INIT_RESOURCE(spelling);
}

QString PageSpellText::take(Scope scope) {
    // The script keeps itself once per page; running it again on the same page does nothing.
    m_pane.page()->runJavaScript(pageScript(), QWebEngineScript::ApplicationWorld);
    const auto text = m_pane.callBridge(QStringLiteral("spellTake"), {scope == Scope::Selection});
    m_text = text ? withCrLf(text->toString()) : QString();
    return m_text;
}

SpellCheckRun::Target PageSpellText::target() {
    // The page counts a line break as one position, the checked text as two (CR LF).
    return {[this](qsizetype offset, qsizetype length) {
                const auto box =
                    m_pane.callBridge(QStringLiteral("spellSelect"), {rangePosition(m_text, offset), length});
                const QVariantList values = box ? box->toList() : QVariantList();
                if (values.size() != 4)
                    return QRect(m_pane.mapToGlobal(QPoint(0, 0)), QSize(1, 1));
                const double zoom = m_pane.zoomFactor();
                const QPoint topLeft(int(values[0].toDouble() * zoom), int(values[1].toDouble() * zoom));
                return QRect(m_pane.mapToGlobal(topLeft), QSize(int(values[2].toDouble() * zoom) + 1,
                                                                int(values[3].toDouble() * zoom) + 1));
            },
            [this](qsizetype offset, qsizetype length, const QString &replacement) {
                const auto done = m_pane.callBridge(QStringLiteral("spellReplace"),
                                                    {rangePosition(m_text, offset), length, replacement});
                m_text.replace(offset, length, replacement);
                return done && done->toBool();
            }};
}
