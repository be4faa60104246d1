#pragma once

#include "store/header_capture.h"

#include <QObject>

#include <functional>
#include <optional>

class FolderLists;
class Messages;
class WebPane;
struct PageState;

// "&Save Msg <<" (GetBody): copies the message displayed in the main pane into the folder
// chosen in ComboFolders. Also reads the displayed message's headers for others (the address
// book adds the sender); the page language found is kept for the next reading.
class MessageCapture : public QObject {
    Q_OBJECT
public:
    struct Context {
        WebPane &inboxPane; // WebBrowser1
        PageState &pageState;
        Messages &messages;
        QString mainDir;
        std::function<int()> selectedTab;
        std::function<void(int)> selectTab;
    };
    MessageCapture(Context context, const FolderLists &folders, QObject *parent = nullptr);

    void GetBody_Click();

    // Shows the Inbox tab, reads the page text and the headers with the captions of the page's
    // language, and sets the provider. Nothing when the pane has no page text.
    struct Displayed {
        QString pageText;
        HeaderCapture::Headers headers;
    };
    std::optional<Displayed> readDisplayed();

    int currentLanguage() const { return m_language; }

    static QString unreadableMessage();

signals:
    // A captured message was written: show "Message Saved".
    void saved(const QString &path);

private:
    QString readBody(const Displayed &displayed);

    Context m_context;
    const FolderLists &m_folders;
    int m_language = 0;
};
