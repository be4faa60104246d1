#pragma once

#include <QString>

#include <functional>
#include <vector>

// Help pages live below the main directory and open in the desktop's browser, where it has one.
namespace HelpLauncher {

enum class Topic {
    Contents,
    DefaultMailProgram,
    Inbox,
    Compose,
    SavedFolders,
    Calendar,
    Settings,
    AddressBooks,
    Editor,
    Templates,
    MailMerge,
};

// Every topic the program offers help on, for menus and for checking that each page exists.
std::vector<Topic> allTopics();
// The page F1 opens on a tab (TabNavigator's 1-based tab number).
Topic topicForTab(int tab);
// The page's name below the main directory's help folder ("index.html").
QString pageName(Topic topic);
QString pagePath(const QString &mainDir, Topic topic);
// True when the desktop's opener is there and names a program for web pages. Asked first, so
// that a desktop without one never gets the request (which only earns a warning on stderr).
bool desktopHasBrowser();
// Hands the page to the desktop's browser; false when the page is missing or the desktop has
// none. `failed` runs later if the browser could not be started.
bool open(const QString &mainDir, Topic topic, const std::function<void()> &failed);

} // namespace HelpLauncher
