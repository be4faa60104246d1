#pragma once

#include "editor/table_editing.h"

class EditorPanel;

// The table and cell dialogs' access to the editor panel's real surface and its shared
// selection operations.
class SurfaceTableEditing : public TableEditing {
public:
    explicit SurfaceTableEditing(EditorPanel &panel)
        : m_panel(panel) {}

    bool showBorders() override;
    void setShowBorders(bool on) override;
    void insertTable(const NewTable &table) override;
    void saveSelection() override;
    QString tableAtCaret() override;
    void replaceTableAtCaret(const QString &html) override;
    Capture captureSelection() override;
    void replaceDocument(const QString &html) override;
    QString baseUrl() override;
    void dialogClosed(bool changed) override;

    // Set when a dialog has changed the document; nothing in the editor reads it yet.
    bool changed() const { return m_changed; }

private:
    // The table around the selection, which the page keeps for the change that follows, as its
    // text with `marker` (none when empty) at the selection's start.
    QString markedTable(const QString &marker);

    EditorPanel &m_panel;
    // The kept table's text as last captured, which the page's table is made like again from.
    QString m_captured;
    bool m_changed = false;
};
