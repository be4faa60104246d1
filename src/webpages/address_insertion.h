#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class Messages;
class WebPane;
struct PageState;

// Putting addresses from the address book or the address palette into the To, Cc or Bcc field
// of the compose page. The page may sit in the compose pane or, when the user opened it there,
// in the main pane; when neither shows it, the Compose tab is opened and the insertion waits
// until the compose pane has loaded its page.
class AddressInsertion : public QObject {
    Q_OBJECT
public:
    // Field codes.
    enum Field { To = 0, Cc = 1, Bcc = 2, PaletteTo = 10 };

    // The tabs of the work area, by 1-based index.
    struct Tabs {
        std::function<int()> selected;
        std::function<void(int)> select;
    };
    // Where the addresses come from: the selected rows of the book, or the palette's pick.
    struct Sources {
        std::function<QStringList()> selectedAddresses;
        std::function<std::optional<QString>()> palettePick;
    };

    // The name of the web-mail service a page of the main pane belongs to (WebService::name()).
    using ServiceOf = std::function<QString(const QString &pageAddress)>;

    AddressInsertion(WebPane &mainPane, WebPane &composePane, PageState &state, ServiceOf serviceOf,
                     Messages &messages, Tabs tabs, QObject *parent = nullptr);
    void setSources(Sources sources) { m_sources = std::move(sources); }

    // Adds the addresses to the field of `which`; a failure is reported as a message.
    void Web_InsertField(int which);

    enum class Target { MainPane, ComposePane, AfterComposeLoads };
    // The compose tab is 2; the main pane counts only while its address mentions "compose".
    static Target composeTarget(int selectedTab, const QString &mainAddress);
    // Each address in turn: taken alone into an empty value, skipped when the value already
    // contains it anywhere, else added after a comma (no blank).
    static QString merged(QString value, const QStringList &addresses);

    static QString failureMessage();

private:
    void onComposeCompleted();

    WebPane &m_mainPane;
    WebPane &m_composePane;
    PageState &m_state;
    ServiceOf m_serviceOf;
    Messages &m_messages;
    Tabs m_tabs;
    Sources m_sources;
};
