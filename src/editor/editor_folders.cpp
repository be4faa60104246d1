#include "editor/editor_folders.h"

#include "base/settings.h"

#include <QFileInfo>

namespace {
constexpr SettingKey folderKeys[] = {{"Settings", "editordocfolder", ""},
                                     {"Settings", "editorpicfolder", ""}};
} // namespace

QString EditorFolders::folder(Kind kind, const QString &fallback) const {
    const int at = int(kind);
    const QString used = m_settings ? m_settings->get(folderKeys[at]) : m_used[at];
    return !used.isEmpty() && QFileInfo(used).isDir() ? used : fallback;
}

void EditorFolders::remember(Kind kind, const QString &file) {
    const QString folder = QFileInfo(file).absolutePath();
    m_used[int(kind)] = folder;
    if (m_settings)
        m_settings->set(folderKeys[int(kind)], folder);
}
