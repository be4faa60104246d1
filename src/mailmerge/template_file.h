#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// An email template on disk: one small text file in the templates folder whose first line is
// the subject and whose remaining lines are the body.
namespace TemplateFile {

struct Template {
    QString subject;
    QString body;
};

// The file a template name is saved as: ".txt" is appended unless the lower-cased name already
// contains it anywhere ("Offer" -> "Offer.txt", "Offer.TXT" and "my.txt.old" stay).
QString fileName(const QString &name);

// Names that would leave the templates folder ("/", "\", ".."), hold control characters or are
// too long for the file system are refused; the user is told why.
enum class NameError { None, Empty, Unsafe, TooLong };
NameError checkName(const QString &name);
QString nameErrorMessage(NameError error);

// The subject, CR LF, then the body as typed (its line breaks as CR LF); no line break is
// added at the end.
QByteArray encode(const Template &value);
// Line 1 is the subject; every further line is added to the body followed by CR LF, so a body
// read back always ends with one line break.
Template decode(const QByteArray &bytes);

// Templates are a few lines of text; a larger file, or one holding NUL bytes, is not a template.
inline constexpr qint64 maxFileBytes = 1024 * 1024;
enum class ReadError { None, Missing, TooLarge, NotText };
struct ReadResult {
    std::optional<Template> value;
    ReadError error = ReadError::None;
};
ReadResult read(const QString &path);
QString readErrorMessage(ReadError error, const QString &name);

// Writes through a temporary file, so a failed write leaves any old template whole. The error
// text is empty on success.
QString write(const QString &path, const Template &value);

// The template files of `folder` (names containing ".txt", without regard to case), sorted
// without regard to case. A missing folder lists nothing.
QStringList list(const QString &folder);

} // namespace TemplateFile
