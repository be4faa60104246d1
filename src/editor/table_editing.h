#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class Messages;
class QWidget;

// What the table and cell dialogs need from the editor: the surface's table insertion and
// borders, the selection capture, and the document. The editor panel provides the real one;
// tests give a fake.
class TableEditing {
public:
    virtual ~TableEditing() = default;

    // The parameters of a new table: the text inside its opening tag after "TABLE".
    struct NewTable {
        int rows = 0;
        int columns = 0;
        QString attributes;
        QString caption; // empty: no caption
    };
    // The document with the selection marked: the marker's 1-based position (0 when the
    // capture failed), and the document without the marker.
    struct Capture {
        QString document;
        int markerPosition = 0;
    };

    virtual bool showBorders() = 0;
    virtual void setShowBorders(bool on) = 0;
    virtual void insertTable(const NewTable &table) = 0;

    // Remembers where the caret is (the dialogs call it as they open).
    virtual void saveSelection() = 0;
    // The outer HTML of the table around the caret; empty when the caret is in no table.
    virtual QString tableAtCaret() = 0;
    // Makes the table around the caret like `html`, changing in place only what differs, as one
    // step that undo takes back.
    virtual void replaceTableAtCaret(const QString &html) = 0;

    // The table around the selection (the captured "document"), with the selection's place
    // marked; an empty capture outside any table. The rest of the document is never copied.
    virtual Capture captureSelection() = 0;
    // Makes the captured table like `html` (its text, changed), in place, as one undo step.
    virtual void replaceDocument(const QString &html) = 0;
    // The document's base address, which relative paths in it are relative to.
    virtual QString baseUrl() = 0;

    // A dialog closed: the document changed (or not); the surface is shown and gets the focus.
    virtual void dialogClosed(bool changed) = 0;
};

// The common dialogs the table and cell dialogs open; tests replace them.
struct TableDialogServices {
    Messages &messages;
    // A colour, or nothing when the user cancels.
    std::function<std::optional<QColor>(QWidget *parent, const QColor &initial)> pickColour;
    // An image file, or empty when the user cancels.
    std::function<QString(QWidget *parent)> pickImage;
};

// The services that show the real colour and file dialogs.
TableDialogServices standardTableDialogServices(Messages &messages);
