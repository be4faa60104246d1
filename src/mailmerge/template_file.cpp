#include "mailmerge/template_file.h"

#include "base/file_name_limit.h"
#include "base/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace TemplateFile {
namespace {

const QString crLf = QStringLiteral("\r\n");
const QString extension = QStringLiteral(".txt");

// Line breaks typed on this system are LF alone; the file keeps CR LF throughout.
QString withCrLfBreaks(const QString &text) {
    QString out = text;
    out.replace(crLf, QStringLiteral("\n"));
    out.replace(u'\r', u'\n');
    out.replace(u'\n', crLf);
    return out;
}

} // namespace

QString fileName(const QString &name) {
    return name.toLower().contains(extension) ? name : name + extension;
}

NameError checkName(const QString &name) {
    if (name.trimmed().isEmpty())
        return NameError::Empty;
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QLatin1String("..")))
        return NameError::Unsafe;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return NameError::Unsafe;
    }
    if (fileName(name).toUtf8().size() > FileNameLimit::maxBytes)
        return NameError::TooLong;
    return NameError::None;
}

QString nameErrorMessage(NameError error) {
    switch (error) {
    case NameError::None:
        break;
    case NameError::Empty:
        return QStringLiteral("You must give the email template a name.");
    case NameError::Unsafe:
        return QStringLiteral("A template name cannot contain \"/\", \"\\\", \"..\" or control characters. "
                              "Please choose another name.");
    case NameError::TooLong:
        return QStringLiteral("This template name is too long. Please choose a shorter name.");
    }
    return {};
}

QByteArray encode(const Template &value) {
    return TextFile::encode(value.subject + crLf + withCrLfBreaks(value.body));
}

Template decode(const QByteArray &bytes) {
    const QStringList lines = TextFile::splitLines(TextFile::decode(bytes));
    Template out;
    if (lines.isEmpty())
        return out;
    out.subject = lines.first();
    for (qsizetype i = 1; i < lines.size(); ++i)
        out.body += lines[i] + crLf;
    return out;
}

ReadResult read(const QString &path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return {std::nullopt, ReadError::Missing};
    if (info.size() > maxFileBytes)
        return {std::nullopt, ReadError::TooLarge};
    const std::optional<QByteArray> bytes = TextFile::readAll(path, maxFileBytes);
    if (!bytes)
        return {std::nullopt, ReadError::Missing};
    if (bytes->contains('\0'))
        return {std::nullopt, ReadError::NotText};
    return {decode(*bytes), ReadError::None};
}

QString readErrorMessage(ReadError error, const QString &name) {
    switch (error) {
    case ReadError::None:
        break;
    case ReadError::Missing:
        return QStringLiteral("The email template \"%1\" could not be opened.").arg(name);
    case ReadError::TooLarge:
        return QStringLiteral("The file \"%1\" is too large to be an email template.").arg(name);
    case ReadError::NotText:
        return QStringLiteral("The file \"%1\" is not a text file and cannot be used as an email template.")
            .arg(name);
    }
    return {};
}

QString write(const QString &path, const Template &value) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const TextFile::WriteResult result = TextFile::writeAtomically(path, encode(value));
    return result.ok ? QString() : result.error;
}

QStringList list(const QString &folder) {
    QStringList names;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::NoSort);
    for (const QFileInfo &file : files) {
        if (file.fileName().toLower().contains(extension))
            names.push_back(file.fileName());
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

} // namespace TemplateFile
