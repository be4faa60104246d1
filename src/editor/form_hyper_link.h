#pragma once

#include "editor/doc_element.h"

#include <QDialog>

class EditingSurface;
class Messages;
class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QWebEngineView;

// "Insert/Edit HyperLink": turns the editor's selection into a link, edits the link under the
// selection (its address, bookmark and window target), or removes it; a preview tab shows the
// target page.
class FormHyperLink : public QDialog {
    Q_OBJECT
public:
    FormHyperLink(EditingSurface &surface, Messages &messages, QWidget *parent = nullptr);

    // Reads the link under the selection into the dialog. Without a link, the selection's trailing
    // blank is left out of it; an empty selection is refused with a message, and the dialog is not
    // to be shown (false).
    bool prepare();

    void accept() override;
    void removeLink();

private:
    // The link element around the selection, or a null element.
    DocElement findLink();
    void rewrite(DocElement &link, const QString &html);
    void loadBookmarks();
    void showTab(int index);

    EditingSurface &m_surface;
    Messages &m_messages;
    QTabBar *m_tabs;
    QStackedWidget *m_pages;
    QWebEngineView *m_preview;
    QLineEdit *m_address;
    QComboBox *m_bookmark;
    QComboBox *m_target;
    QPushButton *m_remove;
    bool m_linkExists = false;
    bool m_bookmarksLoaded = false;
};
