#include "editor/image_file_browser.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QListView>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// "List Files of Type": the entries and their patterns.
const struct {
    const char *caption;
    const char *patterns;
} fileTypes[] = {
    {"All Files (*.*)", "*"},
    {"GIF and JPEG (*.gif, *jpg, *.jpeg)", "*.gif *.jpg *.jpeg"},
    {"Windows Bitmaps (*.bmp)", "*.bmp"},
    {"Windows MetaFiles (*.wmg)", "*.wmf"},
    {"PNG Files (*.png)", "*.png"},
    {"SVG and WebP (*.svg, *.webp)", "*.svg *.webp"},
};

} // namespace

ImageFileBrowser::ImageFileBrowser(QWidget *parent)
    : QWidget(parent)
    , m_folders(new QFileSystemModel(this))
    , m_fileModel(new QFileSystemModel(this))
    , m_tree(new QTreeView(this))
    , m_list(new QListView(this))
    , m_type(new QComboBox(this)) {
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(u"/"_s);
    m_tree->setObjectName(u"Dir1"_s);
    m_tree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setHeaderHidden(true);

    m_fileModel->setFilter(QDir::Files);
    m_fileModel->setNameFilterDisables(false);
    m_list->setObjectName(u"File1"_s);
    m_list->setModel(m_fileModel);

    m_type->setObjectName(u"ComboType"_s);
    for (const auto &type : fileTypes)
        m_type->addItem(QString::fromLatin1(type.caption), QString::fromLatin1(type.patterns));
    connect(m_type, &QComboBox::currentIndexChanged, this,
            [this] { m_fileModel->setNameFilters(m_type->currentData().toString().split(u' ')); });
    m_type->setCurrentIndex(0);
    m_fileModel->setNameFilters({u"*"_s});

    // The tree fills in the background: the chosen folder comes into view once its parent is read.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this,
            [this] { m_tree->scrollTo(m_tree->currentIndex()); });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &index) { setFolder(m_folders->filePath(index)); });
    connect(m_list, &QListView::clicked, this,
            [this](const QModelIndex &index) { emit fileClicked(m_fileModel->filePath(index)); });
    connect(m_list, &QListView::doubleClicked, this,
            [this](const QModelIndex &index) { emit fileDoubleClicked(m_fileModel->filePath(index)); });

    auto *files = new QVBoxLayout;
    files->addWidget(m_list, 1);
    files->addWidget(m_type);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree, 1);
    layout->addLayout(files, 1);
}

void ImageFileBrowser::setFolder(const QString &folder) {
    if (folder == this->folder())
        return;
    m_list->setRootIndex(m_fileModel->setRootPath(folder));
    const QModelIndex index = m_folders->index(folder);
    if (m_tree->currentIndex() != index) {
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index);
    }
}

QString ImageFileBrowser::folder() const {
    return m_fileModel->rootPath();
}

void ImageFileBrowser::selectFile(const QString &name) {
    const QModelIndex index = m_fileModel->index(QDir(folder()).filePath(name));
    if (index.isValid() && index.data().toString().toUpper() == name.toUpper())
        m_list->setCurrentIndex(index);
}
