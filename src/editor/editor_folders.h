#pragma once

#include <QString>

class Settings;

// The folders the editor's file dialogs start in: where the user last opened or saved a document,
// and where the last picture came from. Kept in the settings file when there is one.
class EditorFolders {
public:
    enum class Kind { Documents, Pictures };

    void setSettings(Settings *settings) { m_settings = settings; }
    // The folder last used for `kind`, while it exists; else `fallback`.
    QString folder(Kind kind, const QString &fallback) const;
    // Notes the folder of `file` as the last used for `kind`.
    void remember(Kind kind, const QString &file);

private:
    Settings *m_settings = nullptr;
    QString m_used[2];
};
