#include "spelling/spell_menu.h"

#include "spelling/spell_checker.h"

#include <QApplication>
#include <QChildEvent>
#include <QMenu>
#include <QPointer>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

constexpr int maxSuggestions = 6;

} // namespace

SpellMenu::SpellMenu(SpellChecker &checker, QObject *parent)
    : QObject(parent)
    , m_checker(checker) {
    setObjectName(QStringLiteral("SpellMenu"));
    qApp->installEventFilter(this);
}

bool SpellMenu::eventFilter(QObject *watched, QEvent *event) {
    // A menu a view makes (the engine's own, the editor's) is its child, polished before it shows.
    if (event->type() == QEvent::ChildPolished) {
        auto *view = qobject_cast<QWebEngineView *>(watched);
        auto *menu = qobject_cast<QMenu *>(static_cast<QChildEvent *>(event)->child());
        if (view && menu && !menu->property("corvalisSpelling").toBool()) {
            menu->setProperty("corvalisSpelling", true);
            connect(menu, &QMenu::aboutToShow, this, [this, menu, view = QPointer<QWebEngineView>(view)] {
                if (view)
                    addEntries(*menu, *view);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void SpellMenu::addEntries(QMenu &menu, QWebEngineView &view) {
    const QWebEngineContextMenuRequest *request = view.lastContextMenuRequest();
    if (!request || !request->isContentEditable() || !m_checker.underlines())
        return;
    const QString word = request->misspelledWord();
    if (word.isEmpty() || m_checker.menuSkips(word))
        return;
    QList<QAction *> entries;
    const QStringList suggestions = request->spellCheckerSuggestions().mid(0, maxSuggestions);
    QPointer<QWebEnginePage> page = view.page();
    // The engine's own menu may list the suggestions already.
    const QList<QAction *> present = menu.actions();
    const bool listed =
        !suggestions.isEmpty() && std::any_of(present.begin(), present.end(),
                                              [&](QAction *a) { return a->text() == suggestions.front(); });
    for (const QString &suggestion : listed ? QStringList() : suggestions) {
        auto *replace = new QAction(suggestion, &menu);
        QFont bold = replace->font();
        bold.setBold(true);
        replace->setFont(bold);
        connect(replace, &QAction::triggered, this, [page, suggestion] {
            if (page)
                page->replaceMisspelledWord(suggestion);
        });
        entries << replace;
    }
    if (suggestions.isEmpty()) {
        auto *none = new QAction(QStringLiteral("(No suggestions)"), &menu);
        none->setEnabled(false);
        entries << none;
    }
    auto *add = new QAction(QStringLiteral("&Add to Dictionary"), &menu);
    add->setObjectName(QStringLiteral("spellAdd"));
    connect(add, &QAction::triggered, this, [this, word] { m_checker.addWord(word); });
    auto *ignore = new QAction(QStringLiteral("&Ignore"), &menu);
    ignore->setObjectName(QStringLiteral("spellIgnore"));
    connect(ignore, &QAction::triggered, this, [this, word] { m_checker.ignoreWord(word); });
    entries << add << ignore;
    auto *separator = new QAction(&menu);
    separator->setSeparator(true);
    if (listed)
        entries.prepend(separator);
    else
        entries.append(separator);
    // After the engine's own suggestions, where it lists them; else at the top.
    QAction *before = present.value(0);
    if (listed) {
        const auto firstSeparator =
            std::find_if(present.begin(), present.end(), [](QAction *a) { return a->isSeparator(); });
        before = firstSeparator == present.end() ? nullptr : *firstSeparator;
    }
    menu.insertActions(before, entries);
}
