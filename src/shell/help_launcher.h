#pragma once

#include <QString>

// Help pages live below the main directory and open in the desktop's browser.
namespace HelpLauncher {

enum class Topic { Contents, DefaultMailProgram, Templates, MailMerge };

QString pagePath(const QString &mainDir, Topic topic);
// Returns false when the page is missing or no browser took it.
bool open(const QString &mainDir, Topic topic);

} // namespace HelpLauncher
