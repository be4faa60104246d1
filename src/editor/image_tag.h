#pragma once

#include <QString>

#include <optional>

// The rules of the image dialog on text: the IMG tag read into the dialog's fields and built back
// from them, the link around it, and the image map that goes with it.
namespace ImageTag {

// The tag the dialog starts from when no image is selected.
inline constexpr char16_t emptyTag[] = u"<IMG SRC=X>";

// How the image goes into the document.
enum class Mode { Regular = 1, Hyperlink = 2, ImageMap = 8 };

// A width or height: ticked or not, the number, pixels or percent.
struct Size {
    bool set = false;
    QString value;
    bool percent = false;
};

struct Fields {
    QString src, alt, border, hspace, vspace;
    QString align; // "Default" for none
    Size width, height;
    QString usemap;
};

// The value of the attribute `name` of the tag at the start of `tag`, as text: the entities a
// document writes in attribute values (&quot; &amp; &lt; &gt; &#39;) read as their characters.
QString attributeText(const QString &tag, const char *name);

// The fields of the IMG tag at the start of `tag`. A SRC shorter than 3 characters reads as "http://".
Fields read(const QString &tag);

// Which field a refused tag names, with its message.
enum class Problem { None, Width, Height };
struct Built {
    QString tag;
    Problem problem = Problem::None;
    QString message;
};
// `tag` with every attribute set from `fields` (an empty value removes the attribute; a percent
// over 100 becomes 100%). A ticked width or height needs a number.
Built write(const QString &tag, const Fields &fields);

// The image tag inside a link to `target`.
QString wrapInLink(const QString &tag, const QString &target);
// The link target of a hyperlink list entry: its text after the first ">", or all of it.
QString entryTarget(const QString &entry);

// The map named `usemap` (its first character, the "#", left off) in the document, from "<MAP"
// to its "</MAP>" inclusive; "" when there is none.
QString findMap(const QString &documentHtml, const QString &usemap);
// The document with `mapHtml` placed right after the ">" that ends its opening body tag (text
// between "{" and "}" skipped while looking), and an earlier map of the same name taken out.
// Nothing when the document has no opening body tag.
std::optional<QString> placeMap(const QString &documentHtml, const QString &mapHtml, const QString &mapName);

// A picture path as the SRC of a document at `documentPath` holds it: relative to the document's
// folder (a file URL while the document has no file), with the characters that would end or break
// an address ("%", "#", "?", blanks) escaped. Web addresses stay as they are.
QString sourceFor(const QString &path, const QString &documentPath);
// What the dialog shows for a SRC: the path again, escapes undone and "file://" removed.
QString pathFromSource(const QString &src);

} // namespace ImageTag
