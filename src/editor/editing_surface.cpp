// The editing surface: its page and script, the editing commands and their statuses, and the
// document's selection objects. Its context menu and keys, its documents (load, show, save) and
// the bytes a save writes are in editing_surface_menu.cpp, _files.cpp and _source.cpp.
#include "editor/editing_surface.h"

#include "editor/editor_host.h"
#include "editor/font_sizes.h"

#include <QClipboard>
#include <QFile>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebChannel>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

static void initEditorResources() {
    Q_INIT_RESOURCE(editor);
}

namespace {

// The surface script's parts, in the order they build on one another: the shared part first, the
// part that makes the document editable last.
const char *const surfaceScriptParts[] = {"editor_surface.js",        "editor_surface_commands.js",
                                          "editor_surface_tables.js", "editor_surface_table_text.js",
                                          "editor_surface_ranges.js", "editor_surface_undo.js",
                                          "editor_surface_source.js", "editor_surface_menu.js",
                                          "editor_surface_start.js"};

QString surfaceScript() {
    initEditorResources();
    QString script;
    for (const char *part : surfaceScriptParts) {
        QFile file(QStringLiteral(":/corvalis/editor/") + QLatin1String(part));
        if (file.open(QIODevice::ReadOnly))
            script += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
    }
    return script;
}

} // namespace

EditingSurface::EditingSurface(QWidget *parent)
    : WebPane(PageScripts::Disabled, LocalPages::Sealed, parent)
    , m_host(new EditorHost(this)) {
    setObjectName(QStringLiteral("DHTMLEdit1"));
    // Only the surface's own script runs here (the page's are off), and it needs the clipboard.
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);
    // A document shows the pictures it names, wherever they lie. It cannot read other files: its
    // scripts are off, it cannot replace itself with another file (a refresh, a link, a form, a
    // frame), and it gets only what it shows (pictures, style sheets, fonts).
    page()->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    webPage().setNavigation(WebPage::Navigation::OwnLoadsOnly);
    page()->webChannel()->registerObject(QStringLiteral("corvalisEditor"), m_host);
    QWebEngineScript script;
    script.setName(QStringLiteral("corvalis-editor"));
    script.setSourceCode(surfaceScript());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    page()->scripts().insert(script);

    // A burst of reports (typing, dragging a selection) makes one notification.
    m_displayChange = new QTimer(this);
    m_displayChange->setSingleShot(true);
    m_displayChange->setInterval(0);
    connect(m_host, &EditorHost::displayChangeReported, m_displayChange, qOverload<>(&QTimer::start));
    connect(m_displayChange, &QTimer::timeout, this, [this] {
        if (m_callsWaiting > 0)
            m_displayChangeHeld = true;
        else
            emit displayChanged();
    });
    connect(m_host, &EditorHost::focusLossReported, this, &EditingSurface::focusLost);
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("editorContextMenu"));
    connect(m_menu, &QMenu::triggered, this, [this](QAction *chosen) {
        // Entries others add (spelling) carry no index and act on their own.
        if (chosen->data().isValid())
            emit contextMenuActionTriggered(chosen->data().toInt());
    });
    newDocument();
}

EditingSurface::~EditingSurface() = default;

std::optional<QVariant> EditingSurface::callBridge(const QString &function, const QVariantList &arguments) {
    ++m_callsWaiting;
    const std::optional<QVariant> result = WebPane::callBridge(function, arguments);
    if (--m_callsWaiting == 0 && m_displayChangeHeld) {
        m_displayChangeHeld = false;
        m_displayChange->start();
    }
    return result;
}

QVariant EditingSurface::execCommand(int command, int option, const QVariant &value) {
    switch (command) {
    case FontDialog:
        if (option != DontPromptUser)
            showFontDialog();
        return true;
    case InsertTable:
        return insertTable(value.value<TableParameters>());
    default:
        break;
    }
    const auto result = callBridge(QStringLiteral("editorExec"), {command, value});
    if (command == GetFontName)
        return result ? result->toString() : QString();
    if (command == GetFontSize)
        return result ? result->toInt() : 0;
    return result && result->toBool();
}

QVariant EditingSurface::insertTable(const TableParameters &table) {
    const QVariantMap parameters{{QStringLiteral("rows"), table.rows},
                                 {QStringLiteral("columns"), table.columns},
                                 {QStringLiteral("attributes"), table.tableAttributes},
                                 {QStringLiteral("caption"), table.caption}};
    const auto result = callBridge(QStringLiteral("editorExec"), {int(InsertTable), parameters});
    return result && result->toBool();
}

namespace {
// The clipboard is the program's to look at, not the page's.
int pasteStatus() {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && (data->hasText() || data->hasHtml()) ? EditingSurface::Enabled : EditingSurface::Disabled;
}
} // namespace

int EditingSurface::queryStatus(int command) {
    if (command == Paste)
        return pasteStatus();
    const auto result = callBridge(QStringLiteral("editorStatus"), {command});
    return result ? result->toInt() : NotSupported;
}

EditingSurface::DisplayState EditingSurface::displayState(const QList<int> &commands) {
    DisplayState state;
    QVariantList ids;
    for (int command : commands)
        ids << command;
    const auto result = callBridge(QStringLiteral("editorDisplayState"), {QVariant(ids)});
    const QVariantMap map = result ? result->toMap() : QVariantMap();
    const QVariantList statuses = map.value(QStringLiteral("statuses")).toList();
    for (qsizetype i = 0; i < commands.size(); ++i)
        state.statuses << (commands[i] == Paste ? pasteStatus() : statuses.value(i).toInt());
    state.fontNameStatus = map.value(QStringLiteral("fontNameStatus")).toInt();
    state.fontName = map.value(QStringLiteral("fontName")).toString();
    state.fontSizeStatus = map.value(QStringLiteral("fontSizeStatus")).toInt();
    state.fontSize = map.value(QStringLiteral("fontSize")).toInt();
    state.blockFormat = map.value(QStringLiteral("blockFormat")).toString();
    return state;
}

void EditingSurface::asOneStep(const std::function<void()> &edit) {
    callBridge(QStringLiteral("editorBeginStep"));
    edit();
    callBridge(QStringLiteral("editorEndStep"));
}

void EditingSurface::setShowBorders(bool on) {
    m_showBorders = on;
    callBridge(QStringLiteral("editorShowBorders"), {on});
}

QString EditingSurface::selectionType() {
    const auto result = callBridge(QStringLiteral("editorSelectionType"));
    return result ? result->toString() : QStringLiteral("None");
}

TextRange EditingSurface::createRange() {
    const auto result = callBridge(QStringLiteral("editorCreateRange"));
    return TextRange(this, result ? result->toInt() : 0);
}

DocElement EditingSurface::controlElement() {
    const auto result = callBridge(QStringLiteral("editorControlElement"));
    return DocElement(this, result ? result->toInt() : 0);
}

void EditingSurface::showFontDialog() {
    const DisplayState state = displayState({Bold, Italic, Underline});
    QFont initial(state.fontName);
    initial.setPointSizeF(FontSizes::pointsOf(state.fontSize > 0 ? state.fontSize : 3));
    initial.setBold(state.statuses.value(0) == Latched);
    initial.setItalic(state.statuses.value(1) == Latched);
    initial.setUnderline(state.statuses.value(2) == Latched);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, QStringLiteral("Font"));
    if (!ok)
        return;
    asOneStep([&] {
        execCommand(SetFontName, DontPromptUser, chosen.family());
        execCommand(SetFontSize, DontPromptUser, FontSizes::sizeOf(chosen.pointSizeF()));
        const std::pair<int, bool> toggles[] = {
            {Bold, chosen.bold()}, {Italic, chosen.italic()}, {Underline, chosen.underline()}};
        for (qsizetype i = 0; i < 3; ++i) {
            if ((state.statuses.value(i) == Latched) != toggles[i].second)
                execCommand(toggles[i].first);
        }
    });
}
