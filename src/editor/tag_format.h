#pragma once

#include <QString>

#include <optional>
#include <vector>

// A width or height as the table and cell dialogs show it.
struct SizeSetting {
    bool set = false;
    QString text; // the number, without "%"
    bool percent = true;
};

// A colour attribute: "#RRGGBB", or the text the tag had (a colour name stays as written).
struct ColourSetting {
    bool set = false;
    QString text;
};

// A background image: the path as it goes into the tag.
struct ImageSetting {
    bool set = false;
    QString path;
};

// One attribute change on a tag, as `TagValue` makes it (mode TagSetValue or TagSetFlag).
struct AttributeEdit {
    QString name;
    QString value;
    int mode;
};
using TagEdits = std::vector<AttributeEdit>;

// The rules the table and cell dialogs share for reading and writing attributes.
namespace TagFormat {

// Which size failed its check.
enum class SizeError { None, Width, Height };

// The attribute value for a size: empty when not set (the attribute goes), the number with "%"
// for a percentage (capped at 100), or nothing when the text is not a whole number of at least 0.
std::optional<QString> sizeValue(const SizeSetting &size);
// A size as the tag has it: "80%" is 80 percent, "80" 80 pixels.
SizeSetting readSize(const QString &value);

ColourSetting readColour(const QString &value);
QString colourValue(const ColourSetting &colour);

// An alignment as the lists show it: upper case, with `synonym` read as `canonical` (a table
// or cell written ALIGN=middle shows "Center").
QString readAlignment(const QString &value, const QString &synonym, const QString &canonical);

// A background image path as the document refers to it: relative to the folder of the document
// at `baseUrl` when that is a local file, else a file URL.
QString relativeImagePath(const QString &path, const QString &baseUrl);

// The tag at the start of `tag` (its "<" first) with the edits made in order.
QString applyEdits(QString tag, const TagEdits &edits);

} // namespace TagFormat
