// The editing surface's documents: loaded from a file (in the encoding it is in), shown from
// text, made new and saved.
#include "editor/editing_surface.h"

#include "editor/document_encoding.h"
#include "editor/document_file.h"

#include <QDir>
#include <QEventLoop>
#include <QInputDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString blankDocument = QStringLiteral("<html><head></head><body></body></html>");
// setHtml() passes the document in a data address, which holds at most 2 MB.
constexpr qsizetype inlineDocumentLimit = 1500 * 1024;
constexpr int loadTimeoutMs = 60000;

} // namespace

bool EditingSurface::loadPage(const QUrl &url, const QString &html) {
    QEventLoop loop;
    bool ok = false;
    const auto finished = connect(page(), &QWebEnginePage::loadFinished, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    QTimer::singleShot(loadTimeoutMs, &loop, &QEventLoop::quit);
    m_saved = {};
    webPage().beginOwnLoad();
    if (html.isNull())
        setUrl(url);
    else
        setHtml(html, url);
    loop.exec();
    webPage().endOwnLoad();
    disconnect(finished);
    if (ok && m_showBorders)
        callBridge(QStringLiteral("editorShowBorders"), {true});
    return ok;
}

qint32 EditingSurface::loadDocument(const QString &path, bool askEncoding) {
    if (path.isEmpty())
        return DocumentFile::InvalidArgument;
    const DocumentFile::ReadResult read = DocumentFile::read(path);
    if (read.error != DocumentFile::NoError)
        return read.error;
    const DocumentEncoding::Detected detected = DocumentEncoding::detect(read.bytes);
    const std::optional<QByteArray> encoding = encodingOf(read.bytes, askEncoding);
    if (!encoding)
        return DocumentFile::Cancelled;
    const QUrl url = QUrl::fromLocalFile(read.absolutePath);
    m_baseUrl = url.toString();
    // The browser reads a file that names its encoding as we do; any other is shown as we read it,
    // so that no guess of its own changes the text.
    const bool shown = detected.browserSees && detected.name == *encoding
                           ? loadPage(url, QString())
                           : showText(DocumentEncoding::decode(read.bytes, *encoding));
    if (!shown)
        return DocumentFile::UnexpectedError;
    m_path = read.absolutePath;
    m_encoding = *encoding;
    keepSource(read.bytes);
    return DocumentFile::NoError;
}

std::optional<QByteArray> EditingSurface::encodingOf(const QByteArray &bytes, bool ask) {
    const DocumentEncoding::Detected detected = DocumentEncoding::detect(bytes);
    if (detected.sure || !ask)
        return detected.name;
    QStringList choices = DocumentEncoding::choices();
    choices.removeAll(QString::fromLatin1(detected.name));
    choices.prepend(QString::fromLatin1(detected.name));
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(this, QStringLiteral("Document Encoding"),
                              QStringLiteral("The document does not name its encoding. It is read as %1;\n"
                                             "choose another if its text looks wrong.")
                                  .arg(QString::fromLatin1(detected.name)),
                              choices, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return chosen.toLatin1();
}

qint32 EditingSurface::saveDocument(const QString &path) {
    if (path.isEmpty())
        return DocumentFile::InvalidArgument;
    const QString &file = path;
    const QByteArray bytes = savedBytes();
    const qint32 error = DocumentFile::write(file, bytes);
    if (error == DocumentFile::NoError) {
        m_path = file;
        keepSource(bytes);
        // The document as it stands is what was saved, even where the file, parsed again, would
        // come out a little different (its lines laid out): saved again unchanged, it is the file.
        markUnchanged();
        m_saved = {changeCount(), bytes};
    }
    return error;
}

void EditingSurface::newDocument() {
    m_path.clear();
    loadPage(pageBase(), blankDocument);
    keepSource({});
    markUnchanged();
}

QUrl EditingSurface::pageBase() const {
    // A page from a file may show pictures from files; one with no file is given the home folder
    // as its place, so that the pictures of an unsaved document (file addresses) show too.
    return m_baseUrl.isEmpty() ? QUrl::fromLocalFile(QDir::homePath() + QLatin1Char('/')) : QUrl(m_baseUrl);
}

QStringList EditingSurface::localPictures() {
    const auto result = callBridge(QStringLiteral("editorLocalPictures"));
    return result ? result->toStringList() : QStringList();
}

QString EditingSurface::documentHtml() {
    const auto result = callBridge(QStringLiteral("editorDocumentHtml"));
    return result ? result->toString() : QString();
}

void EditingSurface::setDocumentHtml(const QString &html) {
    showText(html);
}

bool EditingSurface::showText(const QString &text) {
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() <= inlineDocumentLimit)
        return loadPage(pageBase(), text);
    // Too large for an inline document: it is shown from a file of the surface's own, marked as
    // UTF-8, with a <base> of the surface's that keeps relative pictures where they were.
    if (!m_largeDocuments)
        m_largeDocuments = std::make_unique<QTemporaryDir>();
    const QString file = m_largeDocuments->filePath(QStringLiteral("document.htm"));
    QByteArray shown = "\xEF\xBB\xBF" + bytes;
    if (!m_baseUrl.isEmpty() && !bytes.contains("data-corvalis-base")) {
        // In the head, or where it begins: never before the doctype.
        static const QRegularExpression places[] = {
            QRegularExpression(QStringLiteral("<head\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption),
            QRegularExpression(QStringLiteral("<html\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption),
            QRegularExpression(QStringLiteral("<!doctype\\b[^>]*>"),
                               QRegularExpression::CaseInsensitiveOption)};
        qsizetype at = 0;
        for (const QRegularExpression &place : places) {
            if (const auto found = place.match(text); found.hasMatch()) {
                at = text.left(found.capturedEnd()).toUtf8().size();
                break;
            }
        }
        shown.insert(3 + at, "<base data-corvalis-base href=\"" + m_baseUrl.toHtmlEscaped().toUtf8() + "\">");
    }
    if (DocumentFile::write(file, shown) != DocumentFile::NoError)
        return false;
    return loadPage(QUrl::fromLocalFile(file), QString());
}

QString EditingSurface::bodyHtml() {
    const auto result = callBridge(QStringLiteral("editorBodyHtml"));
    return result ? result->toString() : QString();
}
