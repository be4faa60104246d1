#pragma once

#include "store/header_capture.h"
#include "store/saved_message_file.h"

#include <QObject>

#include <functional>
#include <optional>

class FolderLists;
class Messages;
class WebService;
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
        std::function<QString()> recordedService; // [Locations] service
    };
    MessageCapture(Context context, const FolderLists &folders, QObject *parent = nullptr);

    void GetBody_Click();

    // Shows the Inbox tab, sets the provider and reads the message on display: from the page text
    // with the captions of the page's language, or from the raw message where the service gives it
    // (then `whole` is the message to save). Nothing when there is neither.
    struct Displayed {
        QString pageText;
        HeaderCapture::Headers headers;
        std::optional<SavedMessage> whole = std::nullopt;
    };
    std::optional<Displayed> readDisplayed();

    int currentLanguage() const { return m_language; }

    static QString unreadableMessage();

signals:
    // A captured message was written: show "Message Saved".
    void saved(const QString &path);

private:
    std::optional<Displayed> readRaw(const WebService &service);
    QString readBody(const Displayed &displayed);

    Context m_context;
    const FolderLists &m_folders;
    int m_language = 0;
};
