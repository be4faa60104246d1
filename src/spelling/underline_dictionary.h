#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

// The dictionary the web engine underlines with. The engine has no way to be told a word, so
// the user's words (the custom dictionary and the words ignored this session) go into a copy of
// the language's dictionary, converted to the engine's format under a name of its own
// ("en_US-3f2a91c0", named after the words), in the folder the engine reads. A new name is what
// makes the engine load the new copy, and underlined words it now knows lose their underline.
class UnderlineDictionary : public QObject {
    Q_OBJECT
public:
    explicit UnderlineDictionary(QObject *parent = nullptr);

    // The folder the engine reads its dictionaries from (QTWEBENGINE_DICTIONARIES_PATH).
    static QString engineFolder();
    // The name of the engine's dictionary for the language `name` with `words` added.
    static QString variantName(const QString &name, const QStringList &words);

    // The dictionary to underline with now in the language `name` (whose hunspell files are
    // `affixPath` and the ".dic" beside it) with `words`; a copy not made yet is made in the
    // background, and ready() gives its name once it is there.
    QString use(const QString &name, const QString &affixPath, const QStringList &words);

signals:
    void ready(const QString &name);

private:
    void build();
    void finish(bool ok);

    QString m_name;
    QString m_affixPath;
    QStringList m_words;
    QString m_current;  // the name last given out
    QString m_building; // the variant the running conversion makes
    QString m_buildFolder;
    QProcess *m_process = nullptr;
};
