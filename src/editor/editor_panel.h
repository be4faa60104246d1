#pragma once

#include "editor/context_menu.h"
#include "editor/editor_folders.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class EditingSurface;
class EditorSelection;
class EditorToolbar;
class Messages;
class Settings;
class QBoxLayout;
class QCheckBox;
class QColor;
class QComboBox;
class QFrame;
class QTimer;
class QVBoxLayout;

// The editor panel: the editing surface with its toolbar, format lists, mode switches and
// context menu, laid out in the panel frame that lies over the main pane. It owns the editor
// state; the dialogs built on it connect to its request signals.
class EditorPanel : public QObject {
    Q_OBJECT
public:
    // What the panel needs from the window around it.
    struct Context {
        QFrame &panel;       // the panel frame it fills
        QBoxLayout &modeBar; // where the two mode switches go (outside the panel)
        Messages &messages;
        std::function<int()> editorHeight;    // twips
        std::function<int()> editorTop;       // twips
        std::function<int()> mainPaneHeight;  // twips
        std::function<bool()> preserveSource; // the preserve-source switch, read when the surface is made
    };
    // The commands whose dialogs come from elsewhere; disabled until their owner enables them.
    enum class Feature { Table, Link, Image, Spell, CellProperties, TableProperties };

    EditorPanel(Context context, QObject *parent);
    ~EditorPanel() override;

    // The surface is made when it is first needed, so start-up does not pay for it.
    EditingSurface &surface();
    bool hasSurface() const { return m_surface != nullptr; }
    // The shared selection operations (SaveSelection, GetSelection, SelectedElement).
    EditorSelection &selection();

    void setFeatureAvailable(Feature feature, bool available);
    bool featureAvailable(Feature feature) const;

    // Where the file dialogs start (kept in `settings` when there is one).
    EditorFolders &folders() { return m_folders; }
    void setSettings(Settings *settings) { m_folders.setSettings(settings); }

    // Set by the context menu: 0 cell, 1 row, 2 column.
    int cellPropertyScope() const { return m_cellScope; }

    // The toolbar's state from the surface's statuses (one round trip).
    void refreshToolbar();
    // The toolbar's actions, as the buttons and shortcuts run them. Open and save ask for the
    // file when `path` is empty, and report a failure in a message; save tells whether it saved.
    // New and open first offer to save a changed document.
    void newFile();
    void openFile(const QString &path = QString());
    bool saveFile(const QString &path = QString());
    // Asks "Save changes to the document?" when it changed since it was loaded, saved or posted:
    // whether the caller may go on (saved or discarded; not on Cancel or a failed save).
    bool askToSaveChanges();
    // Asks for a colour (a cancel changes nothing) and gives it to the selected text.
    void chooseTextColor();
    void applyTextColor(const QColor &color);
    void toggleExpanded();
    // Editor ready: the format lists act only once start-up is done.
    void setReady(bool ready) { m_ready = ready; }

    // The context menu: built from the surface's statuses when the user asks for it, and the
    // action of its entry at `index`. A property dialog is requested on the next Timer1 tick.
    const ContextMenu::Layout &buildContextMenu();
    void contextMenuAction(int index);
    // 0 none, 1 cell properties, 2 table properties: waiting for the Timer1 tick.
    int pendingPropertyDialog() const { return m_pendingDialog; }

signals:
    void tableRequested();
    void linkRequested();
    void imageRequested();
    void spellRequested();
    // From the context menu, after it has closed (the Timer1 tick).
    void cellPropertiesRequested(int scope);
    void tablePropertiesRequested();
    // The blog post page's field should follow the editor now.
    void postTransferRequested();
    // The field is about to follow the editor (true), and has (false): what the user does on the
    // page meanwhile must wait for it.
    void postTransferPending(bool pending);
    // The two blog commands of the panel.
    void placeOverPageRequested();

private:
    // Transfers asked for with the Copy button, and those that follow the editor by themselves.
    enum class Transfer { Asked, Following };
    void requestPostTransfer(Transfer how);
    // The document file to open or save, asked for in a file dialog; empty when cancelled.
    enum class FileDialog { Open, Save };
    QString askForDocument(FileDialog purpose);
    void createSurface();
    void createControls();
    void createModeSwitches();
    void toolbarClicked(const QString &key);
    void fontChosen(int index);
    void sizeChosen(int index);
    void styleChosen(int index);
    void returnFocus();
    void tableButton();
    void waitWhileBusy();
    void redo();
    void timerTick();
    void showHtmlSource();
    void showVisual();
    bool eventFilter(QObject *watched, QEvent *event) override;

    Context m_context;
    EditingSurface *m_surface = nullptr;
    std::unique_ptr<EditorSelection> m_selection;
    QVBoxLayout *m_layout = nullptr;
    EditorToolbar *m_toolbar = nullptr;
    QComboBox *m_fontCombo = nullptr;
    QComboBox *m_sizeCombo = nullptr;
    QComboBox *m_styleCombo = nullptr;
    QCheckBox *m_checkNormal = nullptr;
    QCheckBox *m_checkSource = nullptr;
    QTimer *m_timer1 = nullptr;
    ContextMenu::Layout m_menu;
    int m_pendingDialog = 0;
    int m_cellScope = 0;
    EditorFolders m_folders;
    bool m_ready = false;
    bool m_askingAboutPictures = false;
    QStringList m_picturesAnswered; // the local pictures the user last said yes or no to
    bool m_picturesAccepted = false;
    QList<bool> m_featureAvailable = QList<bool>(6, false);
};
