#include "editor/editing_surface.h"

#include "editor/document_encoding.h"
#include "editor/document_file.h"
#include "editor/editor_host.h"
#include "editor/font_sizes.h"
#include "editor/html_layout.h"
#include "editor/source_splice.h"

#include <algorithm>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
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

const QString blankDocument = QStringLiteral("<html><head></head><body></body></html>");
// setHtml() passes the document in a data address, which holds at most 2 MB.
constexpr qsizetype inlineDocumentLimit = 1500 * 1024;
constexpr int loadTimeoutMs = 60000;

QString surfaceScript() {
    initEditorResources();
    QFile file(QStringLiteral(":/corvalis/editor/editor_surface.js"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
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
    connect(m_displayChange, &QTimer::timeout, this, &EditingSurface::displayChanged);
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

void EditingSurface::setContextMenu(const QStringList &items, const QList<int> &states) {
    m_menuItems = items;
    m_menuStates = states;
}

void EditingSurface::contextMenuEvent(QContextMenuEvent *event) {
    // The page asks for its menu from inside one of its own tasks, where it cannot answer the
    // status queries the menu is built from: the menu follows once that has returned.
    event->accept();
    requestContextMenu(event->pos());
}

void EditingSurface::childEvent(QChildEvent *event) {
    WebPane::childEvent(event);
    // The widget that takes the input is made with the page (and anew when its renderer is).
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool EditingSurface::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        // The menu key and Shift+F10 open the menu at the caret.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            requestContextMenu(std::nullopt);
            return true;
        }
    } else if (event->type() == QEvent::ContextMenu) {
        // A right click reaches the page first, which moves the caret to the pointer and then
        // asks for the menu itself (contextMenuEvent); one from the keyboard opens at the caret.
        if (static_cast<QContextMenuEvent *>(event)->reason() != QContextMenuEvent::Mouse)
            requestContextMenu(std::nullopt);
        return true;
    }
    return WebPane::eventFilter(watched, event);
}

bool EditingSurface::focusNextPrevChild(bool next) {
    // In a table, Tab and Shift+Tab go from cell to cell (the page does that): the focus stays.
    if (queryStatus(InsertRow) >= Enabled)
        return true;
    return WebPane::focusNextPrevChild(next);
}

void EditingSurface::requestContextMenu(std::optional<QPoint> position) {
    if (m_menuRequested || m_menu->isVisible())
        return;
    m_menuRequested = true;
    QTimer::singleShot(0, this, [this, position] {
        m_menuRequested = false;
        showContextMenu(position);
    });
}

void EditingSurface::showContextMenu(std::optional<QPoint> position) {
    QPoint at;
    if (position) {
        // As in any editor, a right click outside the selection first puts the caret there.
        at = *position;
        const QPointF page = QPointF(at) / zoomFactor();
        callBridge(QStringLiteral("editorCaretToPoint"), {page.x(), page.y()});
    } else {
        const auto caret = callBridge(QStringLiteral("editorCaretPoint"));
        const QVariantList xy = caret ? caret->toList() : QVariantList();
        at = (QPointF(xy.value(0).toDouble(), xy.value(1).toDouble()) * zoomFactor()).toPoint();
        at = QPoint(std::clamp(at.x(), 0, width() - 1), std::clamp(at.y(), 0, height() - 1));
    }
    emit contextMenuRequested(at);
    m_menu->clear();
    for (qsizetype i = 0; i < m_menuItems.size(); ++i) {
        if (m_menuItems[i].isEmpty()) {
            m_menu->addSeparator();
            continue;
        }
        QAction *action = m_menu->addAction(m_menuItems[i]);
        action->setData(int(i));
        action->setEnabled(m_menuStates.value(i) != 2);
    }
    if (!m_menu->isEmpty())
        m_menu->popup(mapToGlobal(at));
}

void EditingSurface::leaveEvent(QEvent *event) {
    WebPane::leaveEvent(event);
    emit pointerLeft();
}

bool EditingSurface::loadPage(const QUrl &url, const QString &html) {
    QEventLoop loop;
    bool ok = false;
    const auto finished = connect(page(), &QWebEnginePage::loadFinished, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    QTimer::singleShot(loadTimeoutMs, &loop, &QEventLoop::quit);
    m_saved = {};
    webPage().beginOwnLoad();
    if (html.isNull())
        setUrl(url);
    else
        setHtml(html, url);
    loop.exec();
    webPage().endOwnLoad();
    disconnect(finished);
    if (ok && m_showBorders)
        callBridge(QStringLiteral("editorShowBorders"), {true});
    return ok;
}

qint32 EditingSurface::loadDocument(const QString &path, bool askEncoding) {
    if (path.isEmpty())
        return DocumentFile::InvalidArgument;
    const DocumentFile::ReadResult read = DocumentFile::read(path);
    if (read.error != DocumentFile::NoError)
        return read.error;
    const DocumentEncoding::Detected detected = DocumentEncoding::detect(read.bytes);
    const std::optional<QByteArray> encoding = encodingOf(read.bytes, askEncoding);
    if (!encoding)
        return DocumentFile::Cancelled;
    const QUrl url = QUrl::fromLocalFile(read.absolutePath);
    m_baseUrl = url.toString();
    // The browser reads a file that names its encoding as we do; any other is shown as we read it,
    // so that no guess of its own changes the text.
    const bool shown = detected.browserSees && detected.name == *encoding
                           ? loadPage(url, QString())
                           : showText(DocumentEncoding::decode(read.bytes, *encoding));
    if (!shown)
        return DocumentFile::UnexpectedError;
    m_path = read.absolutePath;
    m_encoding = *encoding;
    keepSource(read.bytes);
    return DocumentFile::NoError;
}

std::optional<QByteArray> EditingSurface::encodingOf(const QByteArray &bytes, bool ask) {
    const DocumentEncoding::Detected detected = DocumentEncoding::detect(bytes);
    if (detected.sure || !ask)
        return detected.name;
    QStringList choices = DocumentEncoding::choices();
    choices.removeAll(QString::fromLatin1(detected.name));
    choices.prepend(QString::fromLatin1(detected.name));
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(this, QStringLiteral("Document Encoding"),
                              QStringLiteral("The document does not name its encoding. It is read as %1;\n"
                                             "choose another if its text looks wrong.")
                                  .arg(QString::fromLatin1(detected.name)),
                              choices, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return chosen.toLatin1();
}

qint32 EditingSurface::saveDocument(const QString &path) {
    if (path.isEmpty())
        return DocumentFile::InvalidArgument;
    const QString &file = path;
    const QByteArray bytes = savedBytes();
    const qint32 error = DocumentFile::write(file, bytes);
    if (error == DocumentFile::NoError) {
        m_path = file;
        keepSource(bytes);
        // The document as it stands is what was saved, even where the file, parsed again, would
        // come out a little different (its lines laid out): saved again unchanged, it is the file.
        markUnchanged();
        m_saved = {m_unchangedMark, bytes};
    }
    return error;
}

QByteArray EditingSurface::savedBytes() {
    // The same body writes the same bytes: they are worked out once for the transfers that follow
    // the editor, which ask often, and after a save they are the file's.
    const auto mark = callBridge(QStringLiteral("editorBodyFingerprint"));
    const QString fingerprint = mark ? mark->toString() : QString();
    if (fingerprint.isEmpty() || fingerprint != m_saved.mark)
        m_saved = {fingerprint, bytesToSave()};
    return m_saved.bytes;
}

QByteArray EditingSurface::bytesToSave() {
    if (m_sourceBytes.isEmpty()) {
        m_encoding = "UTF-8";
        return DocumentFile::declaringUtf8(HtmlLayout::laidOut(documentHtml())).toUtf8();
    }
    const auto change = sourceChange();
    if (change && change->toMap().value(QStringLiteral("same")).toBool())
        return m_sourceBytes;
    if (change && m_preserveSource && !change->toMap().value(QStringLiteral("whole")).toBool()) {
        if (const auto spliced = splicedSource(change->toMap()))
            return *spliced;
    }
    const auto html = callBridge(QStringLiteral("editorSourceDocument"));
    return SourceSplice::rewrite(m_sourceBytes, m_encoding,
                                 HtmlLayout::laidOut(html ? html->toString() : documentHtml()));
}

QString EditingSurface::bodySource() {
    const QString text = DocumentEncoding::decode(savedBytes(), m_encoding);
    static const QRegularExpression body(QStringLiteral("<body\\b[^>]*>(.*)</body\\s*>"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch found = body.match(text);
    QString shown = found.hasMatch() ? found.captured(1) : text;
    // The line breaks that set the body's content apart from its tags are not part of it.
    while (shown.startsWith(u'\r') || shown.startsWith(u'\n'))
        shown.remove(0, 1);
    while (shown.endsWith(u'\r') || shown.endsWith(u'\n'))
        shown.chop(1);
    return shown;
}

// The source with the changed nodes written anew: those the change names, or where the file's
// nodes cannot be matched with the document's there, the element around them, and so on up.
std::optional<QByteArray> EditingSurface::splicedSource(const QVariantMap &change) {
    QList<int> path;
    for (const QVariant &index : change.value(QStringLiteral("path")).toList())
        path << index.toInt();
    const QVariantList counts = change.value(QStringLiteral("counts")).toList();
    for (qsizetype level = path.size(); level >= 0; --level) {
        const bool deepest = level == path.size();
        const int from = deepest ? change.value(QStringLiteral("from")).toInt() : path[level];
        const int to = deepest ? change.value(QStringLiteral("to")).toInt() : path[level] + 1;
        const int nowTo = deepest ? change.value(QStringLiteral("nowTo")).toInt() : path[level] + 1;
        const QList<int> at = path.first(level);
        const auto blocks = SourceSplice::childBlocks(m_sourceBytes, m_encoding, at);
        if (!blocks || blocks->nodes.size() != counts.value(level).toInt())
            continue;
        QVariantList atList;
        for (int index : at)
            atList << index;
        const auto html = callBridge(QStringLiteral("editorSourceHtml"), {QVariant(atList), from, nowTo});
        if (!html || html->isNull())
            continue;
        if (auto spliced = SourceSplice::splice(
                m_sourceBytes, m_encoding, *blocks,
                {from, to,
                 HtmlLayout::laidOut(html->toString(), int(level),
                                     from > 0 ? HtmlLayout::Place::AfterNode : HtmlLayout::Place::Start)}))
            return spliced;
    }
    return std::nullopt;
}

void EditingSurface::newDocument() {
    m_path.clear();
    loadPage(pageBase(), blankDocument);
    keepSource({});
    markUnchanged();
}

QUrl EditingSurface::pageBase() const {
    // A page from a file may show pictures from files; one with no file is given the home folder
    // as its place, so that the pictures of an unsaved document (file addresses) show too.
    return m_baseUrl.isEmpty() ? QUrl::fromLocalFile(QDir::homePath() + QLatin1Char('/')) : QUrl(m_baseUrl);
}

QStringList EditingSurface::localPictures() {
    const auto result = callBridge(QStringLiteral("editorLocalPictures"));
    return result ? result->toStringList() : QStringList();
}

void EditingSurface::keepSource(const QByteArray &bytes) {
    m_sourceBytes = bytes;
    m_saved = {};
    m_unchangedIsSource = true;
}

std::optional<QVariant> EditingSurface::sourceChange() {
    return callBridge(QStringLiteral("editorSourceChange"),
                      {DocumentEncoding::decode(m_sourceBytes, m_encoding)});
}

bool EditingSurface::documentChanged() {
    if (m_unchangedIsSource && !m_sourceBytes.isEmpty()) {
        const auto change = sourceChange();
        return !change || !change->toMap().value(QStringLiteral("same")).toBool();
    }
    const auto mark = callBridge(QStringLiteral("editorBodyFingerprint"));
    return !mark || mark->toString() != m_unchangedMark;
}

void EditingSurface::markUnchanged() {
    const auto mark = callBridge(QStringLiteral("editorBodyFingerprint"));
    m_unchangedMark = mark ? mark->toString() : QString();
    m_unchangedIsSource = false;
}

QString EditingSurface::documentHtml() {
    const auto result = callBridge(QStringLiteral("editorDocumentHtml"));
    return result ? result->toString() : QString();
}

void EditingSurface::setDocumentHtml(const QString &html) {
    showText(html);
}

bool EditingSurface::showText(const QString &text) {
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() <= inlineDocumentLimit)
        return loadPage(pageBase(), text);
    // Too large for an inline document: it is shown from a file of the surface's own, marked as
    // UTF-8, with a <base> of the surface's that keeps relative pictures where they were.
    if (!m_largeDocuments)
        m_largeDocuments = std::make_unique<QTemporaryDir>();
    const QString file = m_largeDocuments->filePath(QStringLiteral("document.htm"));
    QByteArray shown = "\xEF\xBB\xBF" + bytes;
    if (!m_baseUrl.isEmpty() && !bytes.contains("data-corvalis-base")) {
        // In the head, or where it begins: never before the doctype.
        static const QRegularExpression places[] = {
            QRegularExpression(QStringLiteral("<head\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption),
            QRegularExpression(QStringLiteral("<html\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption),
            QRegularExpression(QStringLiteral("<!doctype\\b[^>]*>"),
                               QRegularExpression::CaseInsensitiveOption)};
        qsizetype at = 0;
        for (const QRegularExpression &place : places) {
            if (const auto found = place.match(text); found.hasMatch()) {
                at = text.left(found.capturedEnd()).toUtf8().size();
                break;
            }
        }
        shown.insert(3 + at, "<base data-corvalis-base href=\"" + m_baseUrl.toHtmlEscaped().toUtf8() + "\">");
    }
    if (DocumentFile::write(file, shown) != DocumentFile::NoError)
        return false;
    return loadPage(QUrl::fromLocalFile(file), QString());
}

QString EditingSurface::bodyHtml() {
    const auto result = callBridge(QStringLiteral("editorBodyHtml"));
    return result ? result->toString() : QString();
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
