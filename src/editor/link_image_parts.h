#pragma once

#include <QString>

class QUrl;
class QWebEngineView;
class QWidget;

// Pieces the hyperlink and image dialogs share.
namespace LinkImageParts {

// A browser pane that shows pages and pictures only: their scripts are off, and local pages reach
// neither remote addresses nor other local files.
QWebEngineView *previewPane(QWidget *parent);

// An address typed into a dialog as the preview opens it: a path relative to the document's
// folder (or the current folder while the document has no file), a local path, or a web address.
QUrl previewUrl(const QString &text, const QString &documentPath);

// Writes the one diagnostic line "<label>: <number> <description>" into "GWJavaHelp.log" in the
// current folder, made anew. A folder where it cannot be written costs only the line.
void writeDiagnostic(const QString &label, int number, const QString &description);

} // namespace LinkImageParts
