#pragma once

#include <QString>
#include <QStringList>

// The folders of saved messages: the subdirectories of "savedmgs" below the main directory.
namespace SavedFolders {

// mainDir/savedmgs; a main directory with or without a trailing separator works, an empty one
// means the current directory.
QString rootPath(const QString &mainDir);
QString folderPath(const QString &mainDir, const QString &folder);

// The folder names in alphabetical order (letter case ignored), hidden ones left out.
QStringList list(const QString &mainDir);

// A name that stays one folder below "savedmgs": not empty, not "." or "..", no "/" and no NUL.
bool isValidName(const QString &name);

enum class CreateError { None, InvalidName, Failed };
// Creates the folder; fails when the name is not valid, the folder already exists or the file
// system refuses it.
CreateError create(const QString &mainDir, const QString &name);

} // namespace SavedFolders
