#pragma once

#include "editor/doc_element.h"
#include "editor/document_file.h"
#include "editor/editor_commands.h"
#include "editor/text_range.h"
#include "webpages/web_pane.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class EditorHost;
namespace SourceSplice {
class Parsed;
}
class QMenu;
class QTemporaryDir;
class QTimer;

// The visual HTML editor's editing surface: a local page whose body is editable, with the
// page's own scripts switched off. Everything that edits the document goes through the
// command interface (command ids of the editing command set), or through the document
// operations below (text ranges and elements), each one round trip into the page.
class EditingSurface : public WebPane {
    Q_OBJECT
public:
    // The editing command set, command statuses and options (EditingSurface::Bold and so on).
    using Command = EditorCommands::Command;
    using enum EditorCommands::Command;
    using Status = EditorCommands::Status;
    using enum EditorCommands::Status;
    using ExecOption = EditorCommands::ExecOption;
    using enum EditorCommands::ExecOption;
    // Failure codes of loading and saving (DocumentFile::NoError and so on).
    using DocumentError = DocumentFile::DocumentError;

    // What one display change needs: the statuses of `commands` (in their order) and the
    // two font queries, fetched in one round trip.
    struct DisplayState {
        QList<int> statuses;
        int fontNameStatus = NotSupported;
        QString fontName;
        int fontSizeStatus = NotSupported;
        int fontSize = 0;    // 1 to 7; below 1 when the selection has none
        QString blockFormat; // the paragraph format at the caret: "Normal", "Heading 1", ...
    };

    // The parameters of the insert-table command (value of InsertTable).
    struct TableParameters {
        int rows = 1;
        int columns = 1;
        QString tableAttributes; // the text after "TABLE" in the opening tag
        QString caption;
    };

    // The surface holds no document until newDocument() or a load gives it one; these wait
    // for the page, letting other events run.
    explicit EditingSurface(QWidget *parent = nullptr);
    ~EditingSurface() override;

    // Performs `command` on the selection. `value` is a string for colour, font name and
    // block format, an int for font size and a TableParameters for InsertTable. Gives the
    // font name or size for the two get commands, true or false for the others.
    QVariant execCommand(int command, int option = DontPromptUser, const QVariant &value = {});
    int queryStatus(int command);
    DisplayState displayState(const QList<int> &commands);

    // A call of the page's bridge. A display change the page reports while a call waits is told
    // once no call waits any more: a toolbar refresh inside the wait would make the command wait
    // for the layout of what it changed, and refreshes would nest in one another.
    std::optional<QVariant> callBridge(const QString &function, const QVariantList &arguments = {}) override;

    // Runs `edit` (several commands) as one step for Undo and Redo.
    void asOneStep(const std::function<void()> &edit);

    // The items of the next context menu: an empty text is a separator, state 0 enabled, 2 greyed.
    void setContextMenu(const QStringList &items, const QList<int> &states);

    // Give a DocumentError (NoError, Cancelled, ...). With `askEncoding`, a file that does not name its
    // encoding and whose encoding cannot be told for sure asks the user which one to read it in.
    qint32 loadDocument(const QString &path, bool askEncoding);
    qint32 saveDocument(const QString &path);
    void newDocument();
    // Whether the document differs from what it was when last loaded, saved or made new, or
    // when markUnchanged() was called (after a post that carried it).
    bool documentChanged();
    void markUnchanged();
    // The file last loaded or saved; empty for a new document.
    QString documentPath() const { return m_path; }

    // The whole document as HTML text; setting it replaces the document.
    QString documentHtml();
    void setDocumentHtml(const QString &html);
    // The body's inner HTML.
    QString bodyHtml();
    // The body as a save would write it now (with its line breaks and indentation), as the blog
    // post receives it.
    QString bodySource();
    // The pictures the document shows from local files, as its tags name them (each once).
    QStringList localPictures();
    QString baseUrl() const { return m_baseUrl; }
    void setBaseUrl(const QString &url) { m_baseUrl = url; }
    bool busy() const { return WebPane::busy(); }

    // A document saved without edits always keeps its bytes. With preservation (the default) an
    // edited one keeps them too, but for the body's blocks that changed; without, it is written
    // whole as the surface holds it (still in its own encoding, after its own prolog).
    void setSourcePreservation(bool on) { m_preserveSource = on; }
    bool sourcePreservation() const { return m_preserveSource; }
    // Draw tables with visible borders while editing, even when their border is 0.
    void setShowBorders(bool on);
    bool showBorders() const { return m_showBorders; }

    // The document object: the selection's type ("None", "Text" or "Control"), a text range
    // made from the selection, and the element of a control selection.
    QString selectionType();
    TextRange createRange();
    DocElement controlElement();

signals:
    // The selection or the formatting at the caret changed.
    void displayChanged();
    // The user asked for the context menu at `position`; raised before it is shown.
    void contextMenuRequested(const QPoint &position);
    // The user picked the context-menu item at `index` (zero-based).
    void contextMenuActionTriggered(int index);
    void pointerLeft();
    void focusLost();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void childEvent(QChildEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Shows the context menu at `position`, or at the caret when there is none, once the
    // event that asked for it has returned.
    void requestContextMenu(std::optional<QPoint> position);
    void showContextMenu(std::optional<QPoint> position);
    bool loadPage(const QUrl &url, const QString &html);
    QUrl pageBase() const;
    void showFontDialog();
    QVariant insertTable(const TableParameters &table);
    // Shows `text` as the document at the base address, inline or from a file of the surface's.
    bool showText(const QString &text);
    // The bytes a save writes: the source, with only what changed written anew.
    QByteArray savedBytes();
    QByteArray bytesToSave();
    QString changeCount(); // names the document as it stands, the same while it does not change
    std::optional<QByteArray> splicedSource(const QVariantMap &change);
    // Which encoding the document is in, asking the user where neither file nor detector is sure.
    std::optional<QByteArray> encodingOf(const QByteArray &bytes, bool ask);
    // The file's bytes become what the document is measured against.
    void keepSource(const QByteArray &bytes);
    // What changed against the file (the answer of the page's editorSourceChange).
    std::optional<QVariant> sourceChange();

    EditorHost *m_host;
    QTimer *m_displayChange;
    int m_callsWaiting = 0;
    bool m_displayChangeHeld = false;
    QMenu *m_menu;
    bool m_menuRequested = false;
    QStringList m_menuItems;
    QList<int> m_menuStates;
    QString m_path;
    QString m_baseUrl;
    QByteArray m_sourceBytes; // the document as loaded or saved, for source preservation
    int m_sourceKey = 0;      // names m_sourceBytes to the page, which keeps them parsed
    std::shared_ptr<const SourceSplice::Parsed> m_sourceTree; // m_sourceBytes parsed, once asked for
    QByteArray m_encoding = "UTF-8";
    QString m_unchangedMark; // the body's fingerprint at the last new or markUnchanged()
    struct {
        QString changeCount; // the document's, as changeCount() names it
        QByteArray bytes;
    } m_saved;                        // what a save of that document writes
    bool m_unchangedIsSource = false; // unchanged means as the file holds it (since the last load or save)
    std::unique_ptr<QTemporaryDir> m_largeDocuments;
    bool m_preserveSource = true;
    bool m_showBorders = false;
};

Q_DECLARE_METATYPE(EditingSurface::TableParameters)
