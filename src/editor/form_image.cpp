#include "editor/form_image.h"

#include "base/messages.h"
#include "editor/dialog_parts.h"
#include "editor/editing_surface.h"
#include "editor/editor_folders.h"
#include "editor/editor_selection.h"
#include "editor/image_file_browser.h"
#include "editor/image_map_editor.h"
#include "editor/link_image_parts.h"
#include "editor/make_rel_path.h"
#include "editor/optional_spin_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QImageReader>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize previewSize(220, 160);

const char *const alignments[] = {"Default",   "left",     "right",  "texttop",   "middle",
                                  "absmiddle", "baseline", "bottom", "absbottom", "center"};

// A width or height row: "Set Width", its number, "Pixels" and "Percent".
struct SizeRow {
    QCheckBox *check;
    QLineEdit *edit;
    QRadioButton *pixels, *percent;
};

SizeRow sizeRow(const QString &caption, const char *what, QWidget *parent) {
    const QString name = QString::fromLatin1(what);
    SizeRow row{new QCheckBox(caption, parent), new QLineEdit(parent), new QRadioButton(u"Pixels"_s, parent),
                new QRadioButton(u"Percent"_s, parent)};
    row.check->setObjectName(u"CheckSet"_s + name);
    row.edit->setObjectName(u"Edit"_s + name);
    row.edit->setValidator(new QIntValidator(0, 100000, row.edit));
    row.pixels->setObjectName(u"Option"_s + name + u"Pix"_s);
    row.percent->setObjectName(u"Option"_s + name + u"Pct"_s);
    row.pixels->setChecked(true);
    auto *group = new QButtonGroup(parent);
    group->addButton(row.pixels);
    group->addButton(row.percent);
    return row;
}

void showSize(const SizeRow &row, const ImageTag::Size &size) {
    row.check->setChecked(size.set);
    row.edit->setText(size.value);
    (size.percent ? row.percent : row.pixels)->setChecked(true);
}

bool isBarePrefix(const QString &text) {
    return text.trimmed().isEmpty() || text.trimmed() == u"http://";
}

} // namespace

FormImage::FormImage(EditingSurface &surface, Messages &messages, QWidget *parent, EditorFolders *folders)
    : QDialog(parent)
    , m_surface(surface)
    , m_messages(messages)
    , m_folders(folders)
    , m_editMap([this](const ImageMap &map, const QString &picture) {
        ImageMapEditor editor(map, picture, this);
        return editor.exec() == QDialog::Accepted ? std::optional(editor.map()) : std::nullopt;
    })
    , m_workingTag(QString::fromUtf16(ImageTag::emptyTag)) {
    setObjectName(u"FormImage"_s);
    setWindowTitle(u"Insert Graphic"_s);
    createControls();
    readSelectedImage();
}

void FormImage::createControls() {
    m_location = new QLineEdit(this);
    m_location->setObjectName(u"Text1"_s);
    m_files = new ImageFileBrowser(this);
    auto *previewButton = new QPushButton(u"Preview"_s, this);
    previewButton->setObjectName(u"Command3"_s);
    m_previewStack = new QStackedWidget(this);
    m_image1 = new QLabel(m_previewStack);
    m_image1->setObjectName(u"Image1"_s);
    m_image1->setAlignment(Qt::AlignCenter);
    m_image1->setWordWrap(true);
    m_browser = LinkImageParts::previewPane(m_previewStack);
    m_browser->setObjectName(u"WebBrowser1"_s);
    m_previewStack->addWidget(m_image1);
    m_previewStack->addWidget(m_browser);
    m_previewStack->setFixedSize(previewSize + QSize(8, 8));

    m_alt = new QLineEdit(this);
    m_alt->setObjectName(u"EditAltText"_s);
    m_border = new OptionalSpinBox(999, this);
    m_hspace = new OptionalSpinBox(999, this);
    m_vspace = new OptionalSpinBox(999, this);
    m_border->setObjectName(u"EditBorder"_s);
    m_hspace->setObjectName(u"EditHSpace"_s);
    m_vspace->setObjectName(u"EditVSpace"_s);
    m_align = new QComboBox(this);
    m_align->setObjectName(u"ComboAlign"_s);
    for (const char *a : alignments)
        m_align->addItem(QString::fromLatin1(a));
    const SizeRow width = sizeRow(u"Set Width"_s, "Width", this);
    const SizeRow height = sizeRow(u"Set Height"_s, "Height", this);
    m_setWidth = width.check, m_width = width.edit, m_widthPixels = width.pixels,
    m_widthPercent = width.percent;
    m_setHeight = height.check, m_height = height.edit, m_heightPixels = height.pixels;
    m_heightPercent = height.percent;

    m_optImage = new QRadioButton(u"Regular Image"_s, this);
    m_optImageJump = new QRadioButton(u"Image with a hyperlink"_s, this);
    m_optImageMap = new QRadioButton(u"Image Map"_s, this);
    m_optImage->setObjectName(u"optImage"_s);
    m_optImageJump->setObjectName(u"optImageJump"_s);
    m_optImageMap->setObjectName(u"optImageMap"_s);
    m_optImage->setChecked(true);
    m_href = new QComboBox(this);
    m_href->setObjectName(u"cboImageHref"_s);
    m_href->setEditable(true);
    m_useMap = new QCheckBox(u"Use Image Map"_s, this);
    m_useMap->setObjectName(u"CheckUseMap"_s);
    m_mapEdit = new QPushButton(u"Edit Image Map..."_s, this);
    m_mapEdit->setObjectName(u"cmdMapEdit"_s);
    m_mapEdit->setEnabled(false);

    // cboImageHref lists the pages beside the document.
    const QString documentPath = m_surface.documentPath();
    if (!documentPath.isEmpty())
        m_href->addItems(QFileInfo(documentPath).dir().entryList({u"*.htm"_s, u"*.html"_s}, QDir::Files));
    m_href->setCurrentIndex(-1);

    connect(m_files, &ImageFileBrowser::fileClicked, this, &FormImage::pictureChosen);
    connect(m_files, &ImageFileBrowser::fileDoubleClicked, this, [this](const QString &path) {
        pictureChosen(path);
        accept();
    });
    connect(previewButton, &QPushButton::clicked, this, &FormImage::showPreview);
    connect(m_optImageMap, &QRadioButton::toggled, this, [this](bool on) {
        m_mapEdit->setEnabled(on);
        if (on)
            m_useMap->setChecked(true);
    });
    connect(m_href, &QComboBox::textActivated, this, [this] { m_optImageJump->setChecked(true); });
    connect(m_mapEdit, &QPushButton::clicked, this, &FormImage::editMap);

    auto *location = new QVBoxLayout;
    location->addWidget(m_location);
    location->addWidget(m_files, 1);
    auto *locationBox = new QGroupBox(u"Image File Location"_s, this);
    locationBox->setLayout(location);
    auto *previewBox = DialogParts::group(u"Preview"_s, {m_previewStack, previewButton}, this);

    auto *numberRow = new QGridLayout;
    const struct {
        const char *caption;
        QWidget *box;
    } numbers[] = {{"Border", m_border},
                   {"Horizontal Spacing", m_hspace},
                   {"Vertical Spacing", m_vspace},
                   {"Alignment", m_align}};
    int column = 0;
    for (const auto &n : numbers) {
        numberRow->addWidget(new QLabel(QString::fromLatin1(n.caption), this), 0, column);
        numberRow->addWidget(n.box, 1, column++);
    }
    auto *sizes = new QGridLayout;
    int row = 0;
    for (const SizeRow &r : {width, height}) {
        sizes->addWidget(r.check, row, 0);
        sizes->addWidget(r.edit, row, 1);
        sizes->addWidget(r.pixels, row, 2);
        sizes->addWidget(r.percent, row++, 3);
    }
    sizes->setColumnStretch(4, 1);
    auto *attributes = new QHBoxLayout;
    attributes->addLayout(numberRow);
    attributes->addSpacing(24);
    attributes->addLayout(sizes, 1);

    auto *modes = new QHBoxLayout;
    modes->addWidget(
        DialogParts::group(u"Insert As..."_s, {m_optImage, m_optImageJump, m_optImageMap}, this));
    modes->addWidget(DialogParts::group(u"Target URL"_s, {m_href}, this), 1);
    modes->addWidget(DialogParts::group(u"Image Map"_s, {m_useMap, m_mapEdit}, this));

    QDialogButtonBox *buttons = DialogParts::okCancelButtons(this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(u"Command1"_s);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(u"Command2"_s);

    auto *top = new QHBoxLayout;
    top->addWidget(locationBox, 1);
    top->addWidget(previewBox);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(DialogParts::group(u"Alternate Text"_s, {m_alt}, this));
    layout->addLayout(attributes);
    layout->addLayout(modes);
    layout->addWidget(buttons);
    resize(760, 600);
}

void FormImage::readSelectedImage() {
    const DocElement element = EditorSelection(m_surface).SelectedElement();
    // Only an image itself is edited: the attributes are read from the tag at the start.
    if (element.tagName().compare(u"IMG"_s, Qt::CaseInsensitive) == 0) {
        m_workingTag = element.outerHTML();
        setWindowTitle(u"Select Graphic"_s);
    }
    const ImageTag::Fields f = ImageTag::read(m_workingTag);
    m_location->setText(f.src);
    const QString documentPath = m_surface.documentPath();
    const QString documentFolder =
        documentPath.isEmpty() ? QDir::homePath() : QFileInfo(documentPath).absolutePath();
    const QFileInfo picture(QDir(documentFolder), f.src);
    // A new picture is looked for where the last one came from.
    m_files->setFolder(picture.exists() ? picture.absolutePath()
                       : m_folders      ? m_folders->folder(EditorFolders::Kind::Pictures, documentFolder)
                                        : documentFolder);
    if (picture.exists()) {
        m_pictureFile = picture.absoluteFilePath();
        m_files->selectFile(picture.fileName());
    }
    m_alt->setText(f.alt);
    m_border->setValueText(f.border);
    m_hspace->setValueText(f.hspace);
    m_vspace->setValueText(f.vspace);
    m_align->setCurrentIndex(std::max(0, m_align->findText(f.align, Qt::MatchFixedString)));
    showSize({m_setWidth, m_width, m_widthPixels, m_widthPercent}, f.width);
    showSize({m_setHeight, m_height, m_heightPixels, m_heightPercent}, f.height);
    if (!f.usemap.isEmpty()) {
        const QString mapHtml = ImageTag::findMap(m_surface.documentHtml(), f.usemap);
        m_map = ImageMap::fromHtml(mapHtml);
        m_mapDefined = !mapHtml.isEmpty();
    }
}

void FormImage::pictureChosen(const QString &path) {
    m_pictureFile = path;
    m_location->setText(path);
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid()) {
        m_width->setText(QString::number(size.width()));
        m_height->setText(QString::number(size.height()));
        m_setWidth->setChecked(true);
        m_setHeight->setChecked(true);
        m_widthPixels->setChecked(true);
        m_heightPixels->setChecked(true);
        // Only as much of the picture is decoded as the preview shows.
        reader.setScaledSize(size.scaled(previewSize, Qt::KeepAspectRatio).expandedTo({1, 1}));
    }
    const QImage image = reader.read();
    if (!image.isNull()) {
        m_image1->setPixmap(QPixmap::fromImage(image));
        m_previewStack->setCurrentWidget(m_image1);
        return;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"svg" || suffix == u"webp") {
        // Pictures the browser shows but this program cannot read itself.
        showPreview();
        return;
    }
    LinkImageParts::writeDiagnostic(u"FormImage File1 click"_s, int(reader.error()), reader.errorString());
    m_image1->setText(u"No preview: "_s + reader.errorString());
    m_previewStack->setCurrentWidget(m_image1);
}

void FormImage::showPreview() {
    m_browser->setUrl(LinkImageParts::previewUrl(m_location->text(), m_surface.documentPath()));
    m_previewStack->setCurrentWidget(m_browser);
}

void FormImage::editMap() {
    ImageMap current = m_map;
    if (current.name.isEmpty()) {
        const QString base =
            QFileInfo(m_pictureFile.isEmpty() ? m_location->text() : m_pictureFile).baseName();
        current.name = u"map_"_s + QString(base).replace(QRegularExpression(u"[^A-Za-z0-9_-]"_s), u"_"_s);
    }
    const QString picture =
        m_pictureFile.isEmpty()
            ? LinkImageParts::previewUrl(m_location->text(), m_surface.documentPath()).toLocalFile()
            : m_pictureFile;
    if (const std::optional<ImageMap> edited = m_editMap(current, picture)) {
        m_map = *edited;
        m_mapDefined = !m_map.name.isEmpty();
    }
}

ImageTag::Mode FormImage::mode() const {
    if (m_optImageMap->isChecked())
        return ImageTag::Mode::ImageMap;
    return m_optImageJump->isChecked() ? ImageTag::Mode::Hyperlink : ImageTag::Mode::Regular;
}

ImageTag::Fields FormImage::fields() const {
    ImageTag::Fields f;
    f.src = isBarePrefix(m_location->text())
                ? QString()
                : ImageTag::sourceFor(m_location->text().trimmed(), m_surface.documentPath());
    f.alt = m_alt->text();
    f.border = m_border->valueText();
    f.hspace = m_hspace->valueText();
    f.vspace = m_vspace->valueText();
    f.align = m_align->currentText();
    f.width = {m_setWidth->isChecked(), m_width->text(), m_widthPercent->isChecked()};
    f.height = {m_setHeight->isChecked(), m_height->text(), m_heightPercent->isChecked()};
    f.usemap = ImageTag::read(m_workingTag).usemap;
    if (mode() == ImageTag::Mode::ImageMap)
        f.usemap = u'#' + m_map.name;
    return f;
}

// The link of an image with a hyperlink: a page listed beside the document, or an address typed in.
std::optional<QString> FormImage::linkTarget() {
    const QString text = m_href->currentText().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QString documentPath = m_surface.documentPath();
    if (m_href->findText(text) >= 0 && !documentPath.isEmpty())
        return ImageTag::sourceFor(QFileInfo(documentPath).dir().filePath(ImageTag::entryTarget(text)),
                                   documentPath);
    return MakeRelPathRel(ImageTag::entryTarget(text), documentPath);
}

void FormImage::accept() {
    const ImageTag::Mode insertMode = mode();
    if (insertMode == ImageTag::Mode::Regular && isBarePrefix(m_location->text())) {
        m_messages.inform(u"Please specify an image to insert or press Cancel,"_s);
        return;
    }
    if (insertMode == ImageTag::Mode::ImageMap && !m_mapDefined) {
        m_messages.inform(
            u"Please set the image map attributes, or if you don't want to use an image map, choose "
            "Regular Image at the bottom left of the dialog box."_s);
        return;
    }
    const ImageTag::Built built = ImageTag::write(m_workingTag, fields());
    if (built.problem != ImageTag::Problem::None) {
        m_messages.inform(built.message);
        (built.problem == ImageTag::Problem::Width ? m_width : m_height)->setFocus();
        return;
    }
    QString html = built.tag;
    if (insertMode == ImageTag::Mode::Hyperlink) {
        const std::optional<QString> target = linkTarget();
        if (!target) {
            m_messages.inform(u"Please select a topic to jump to"_s);
            return;
        }
        html = ImageTag::wrapInLink(html, *target);
    }
    insert(html);
    if (m_folders && !m_pictureFile.isEmpty())
        m_folders->remember(EditorFolders::Kind::Pictures, m_pictureFile);
    QDialog::accept();
    m_surface.setFocus();
}

void FormImage::insert(const QString &html) {
    if (m_surface.selectionType() == u"Control")
        m_surface.controlElement().setOuterHTML(html);
    else
        m_surface.createRange().pasteHTML(html);
    if (mode() != ImageTag::Mode::ImageMap)
        return;
    const std::optional<QString> withMap =
        ImageTag::placeMap(m_surface.documentHtml(), m_map.html(), m_map.name);
    if (!withMap)
        return;
    // The whole document is replaced, with its base for relative paths (it differs from the file,
    // so it counts as changed).
    const QString base = m_surface.baseUrl();
    m_surface.setDocumentHtml(*withMap);
    m_surface.setBaseUrl(base);
}
