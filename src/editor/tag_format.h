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

// What table and cell tags share: size, colours, horizontal alignment and background image.
// `align` is "" (the list's "Default"), "LEFT", "RIGHT" or "CENTER".
struct BoxFormat {
    SizeSetting width, height;
    ColourSetting background, borderColour;
    QString align;
    ImageSetting image;
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

// The value of the attribute `name` of `tag` (a tag's text, its "<" first).
QString attribute(const QString &tag, const char *name);
// The shared attributes of `tag` into `format`.
void readBox(const QString &tag, BoxFormat &format);

// The edits of the shared attributes but the image: WIDTH, HEIGHT, BGCOLOR, BORDERCOLOR and ALIGN in
// that order, with the checked size values; a size given as nothing is left as the tag has it.
TagEdits boxEdits(const BoxFormat &format, const std::optional<QString> &width,
                  const std::optional<QString> &height);
// BACKGROUND, written when an image is set and removed otherwise.
AttributeEdit imageEdit(const BoxFormat &format);

// `tag` (its "<" first) with the edits made in order.
QString applyEdits(QString tag, const TagEdits &edits);

} // namespace TagFormat
