#pragma once

#include <QObject>

#include <functional>

class EditorPanel;
class FormImage;
class Messages;
class QDialog;
class QWidget;

// The editor's "link" and "image" buttons open "Insert/Edit HyperLink" and "Insert Graphic",
// modal and owned by `owner`. Creating it makes those commands available.
class LinkImageDialogs : public QObject {
    Q_OBJECT
public:
    LinkImageDialogs(EditorPanel &panel, Messages &messages, QWidget *owner);

    // How a dialog is shown: modally by default; tests drive the dialog instead.
    using Show = std::function<void(QDialog &dialog)>;
    void setShow(Show show) { m_show = std::move(show); }

    void hyperLink();
    void image();

private:
    EditorPanel &m_panel;
    Messages &m_messages;
    QWidget *m_owner;
    Show m_show;
};
