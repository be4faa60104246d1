#include "editor/editor_panel.h"

#include "base/messages.h"
#include "base/twips.h"
#include "editor/editing_surface.h"
#include "editor/editor_selection.h"
#include "editor/editor_toolbar.h"
#include "editor/rgb_string.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <array>
#include <tuple>
#include <utility>

namespace {

using namespace EditorCommands;

// The toolbar buttons that follow the selection, with the command each shows the state of.
constexpr std::array<std::pair<const char *, int>, 11> toolbarStates{{{"Bold", Bold},
                                                                      {"Italic", Italic},
                                                                      {"Underline", Underline},
                                                                      {"Numbers", NumberedList},
                                                                      {"Bullets", BulletedList},
                                                                      {"Outdent", Outdent},
                                                                      {"Indent", Indent},
                                                                      {"LeftJustify", JustifyLeft},
                                                                      {"Center", JustifyCenter},
                                                                      {"RightJustify", JustifyRight},
                                                                      {"Color", SetForeColor}}};

// Buttons that simply run a command, and how.
constexpr std::array<std::tuple<const char *, int, int>, 13> commandButtons{
    {{"cut", Cut, PromptUser},
     {"copy", Copy, PromptUser},
     {"paste", Paste, PromptUser},
     {"Bold", Bold, DontPromptUser},
     {"Italic", Italic, DontPromptUser},
     {"Underline", Underline, DontPromptUser},
     {"Numbers", NumberedList, DontPromptUser},
     {"Bullets", BulletedList, DontPromptUser},
     {"Outdent", Outdent, DontPromptUser},
     {"Indent", Indent, DontPromptUser},
     {"LeftJustify", JustifyLeft, DontPromptUser},
     {"Center", JustifyCenter, DontPromptUser},
     {"RightJustify", JustifyRight, DontPromptUser}}};

const char *const featureKeys[] = {"table", "link", "image", "spell"};

// How long the format lists wait between looks at a busy surface.
constexpr int busyPollMs = 20;

// Whether a list may show a text that is none of its entries.
enum class ListText { EntriesOnly, AnyText };

QComboBox *formatList(const char *name, QWidget *parent, ListText text) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    if (text == ListText::AnyText) {
        // The list shows the selection's font, which need not be one of its entries.
        combo->setEditable(true);
        combo->lineEdit()->setReadOnly(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    return combo;
}

QPushButton *panelButton(const char *name, const char *caption, QWidget *parent) {
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

EditorPanel::EditorPanel(Context context, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context)) {
    setObjectName(QStringLiteral("EditorPanel"));
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);
    m_timer1->setSingleShot(true);
    connect(m_timer1, &QTimer::timeout, this, &EditorPanel::timerTick);
    createModeSwitches();
    m_context.panel.installEventFilter(this);
}

EditorPanel::~EditorPanel() = default;

// The panel's own controls wait for its first showing: a window that never edits a document never
// pays for the desktop's font list and the toolbar's pictures.
void EditorPanel::createControls() {
    if (m_toolbar)
        return;
    QFrame &panel = m_context.panel;
    // The panel lies over a web page, which must not show through.
    panel.setAutoFillBackground(true);
    m_layout = new QVBoxLayout(&panel);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(2);
    m_toolbar = new EditorToolbar(&panel);
    m_layout->addWidget(m_toolbar);
    connect(m_toolbar, &EditorToolbar::buttonClicked, this, &EditorPanel::toolbarClicked);
    for (int feature = 0; feature < int(std::size(featureKeys)); ++feature)
        m_toolbar->button(QString::fromLatin1(featureKeys[feature]))->setEnabled(m_featureAvailable[feature]);

    m_fontCombo = formatList("FontCombo", &panel, ListText::AnyText);
    // The desktop's own families, so that a choice shows on screen; a document's font that is not
    // among them still shows as the list's text.
    // (A family that several foundries make is listed as "Name [Foundry]": the page knows it by name.)
    QStringList families;
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
            families << family.section(QStringLiteral(" ["), 0, 0);
    }
    families.removeDuplicates();
    m_fontCombo->addItems(families);
    // As wide as a usual name, not the longest one.
    m_fontCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_fontCombo->setMinimumContentsLength(14);
    m_sizeCombo = formatList("FontSizeCombo", &panel, ListText::AnyText);
    for (int size = 1; size <= 7; ++size)
        m_sizeCombo->addItem(QString::number(size));
    m_styleCombo = formatList("ComboStyle", &panel, ListText::EntriesOnly);
    m_styleCombo->addItem(QStringLiteral("Normal"));
    for (int level = 1; level <= 6; ++level)
        m_styleCombo->addItem(QStringLiteral("Heading %1").arg(level));
    connect(m_fontCombo, &QComboBox::activated, this, &EditorPanel::fontChosen);
    connect(m_sizeCombo, &QComboBox::activated, this, &EditorPanel::sizeChosen);
    connect(m_styleCombo, &QComboBox::activated, this, &EditorPanel::styleChosen);

    auto *place = panelButton("CommandPlaceEditor", "Place Editor over Page", &panel);
    auto *copy = panelButton("CommandCopyToPost", "Copy to Post Form", &panel);
    connect(place, &QPushButton::clicked, this, &EditorPanel::placeOverPageRequested);
    connect(copy, &QPushButton::clicked, this, [this] { requestPostTransfer(Transfer::Asked); });

    // A toolbar too, so that on a narrow page what does not fit waits behind its extension button.
    auto *lists = new QToolBar(&panel);
    lists->setObjectName(QStringLiteral("FormatBar"));
    lists->setFloatable(false);
    lists->setMovable(false);
    lists->addWidget(m_fontCombo);
    lists->addWidget(m_sizeCombo);
    lists->addWidget(m_styleCombo);
    auto *gap = new QWidget(lists);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    lists->addWidget(gap);
    lists->addWidget(place);
    lists->addWidget(copy);
    m_layout->addWidget(lists);

    // The buttons' shortcuts work wherever the focus is in the panel.
    panel.addActions(m_toolbar->actions());
}

void EditorPanel::createModeSwitches() {
    // The mode switches stay reachable while the panel is hidden.
    m_checkNormal = new QCheckBox(QStringLiteral("Edit Visually "));
    m_checkNormal->setObjectName(QStringLiteral("CheckNormal"));
    m_checkSource = new QCheckBox(QStringLiteral("Edit HTML Source (tags)"));
    m_checkSource->setObjectName(QStringLiteral("CheckHTMLSource"));
    auto *modes = new QButtonGroup(this);
    modes->addButton(m_checkNormal);
    modes->addButton(m_checkSource);
    m_context.modeBar.addWidget(m_checkNormal);
    m_context.modeBar.addWidget(m_checkSource);
    connect(m_checkNormal, &QCheckBox::clicked, this, &EditorPanel::showVisual);
    connect(m_checkSource, &QCheckBox::clicked, this, &EditorPanel::showHtmlSource);
}

bool EditorPanel::eventFilter(QObject *watched, QEvent *event) {
    // The surface costs a page; it is made the first time the panel shows.
    if (watched == &m_context.panel && event->type() == QEvent::Show && !m_surface) {
        createControls();
        QTimer::singleShot(0, this, [this] { surface(); });
    }
    return QObject::eventFilter(watched, event);
}

EditingSurface &EditorPanel::surface() {
    if (!m_surface)
        createSurface();
    return *m_surface;
}

void EditorPanel::createSurface() {
    createControls();
    // Making a web view may run pending events, which may ask for the surface again.
    auto *made = new EditingSurface(&m_context.panel);
    if (m_surface) {
        made->deleteLater();
        return;
    }
    m_surface = made;
    m_surface->setSourcePreservation(m_context.preserveSource && m_context.preserveSource());
    m_surface->setShowBorders(true);
    m_layout->addWidget(m_surface, 1);
    m_selection = std::make_unique<EditorSelection>(*m_surface);
    connect(m_surface, &EditingSurface::displayChanged, this, &EditorPanel::refreshToolbar);
    connect(m_surface, &EditingSurface::contextMenuRequested, this, &EditorPanel::buildContextMenu);
    connect(m_surface, &EditingSurface::contextMenuActionTriggered, this, &EditorPanel::contextMenuAction);
    // Queued: the focus leaves, say, for a format list whose choice is itself talking to the page,
    // and a transfer run inside that exchange would cut it short.
    connect(
        m_surface, &EditingSurface::pointerLeft, this, [this] { requestPostTransfer(Transfer::Following); },
        Qt::QueuedConnection);
    connect(
        m_surface, &EditingSurface::focusLost, this, [this] { requestPostTransfer(Transfer::Following); },
        Qt::QueuedConnection);
    m_surface->newDocument();
    refreshToolbar();
}

EditorSelection &EditorPanel::selection() {
    surface();
    return *m_selection;
}

void EditorPanel::setFeatureAvailable(Feature feature, bool available) {
    m_featureAvailable[int(feature)] = available;
    if (m_toolbar && int(feature) < int(std::size(featureKeys)))
        m_toolbar->button(QString::fromLatin1(featureKeys[int(feature)]))->setEnabled(available);
}

bool EditorPanel::featureAvailable(Feature feature) const {
    return m_featureAvailable[int(feature)];
}

void EditorPanel::refreshToolbar() {
    if (!m_surface)
        return;
    QList<int> commands;
    for (const auto &entry : toolbarStates)
        commands << entry.second;
    commands << InsertRow;
    const EditingSurface::DisplayState state = m_surface->displayState(commands);
    for (qsizetype i = 0; i < qsizetype(toolbarStates.size()); ++i) {
        const int status = state.statuses.value(i);
        QAction *button = m_toolbar->button(QString::fromLatin1(toolbarStates[i].first));
        button->setEnabled(status >= Enabled);
        button->setChecked(status == Latched);
    }
    m_toolbar->setInTable(state.statuses.value(qsizetype(toolbarStates.size())) >= Enabled);
    const bool nameKnown = state.fontNameStatus == Enabled || state.fontNameStatus == Latched;
    m_fontCombo->setEditText(nameKnown ? state.fontName : QString());
    m_fontCombo->setEnabled(nameKnown || state.fontNameStatus == Mixed);
    const bool sizeKnown = state.fontSizeStatus == Enabled || state.fontSizeStatus == Latched;
    m_sizeCombo->setEditText(sizeKnown && state.fontSize >= 1 ? QString::number(state.fontSize) : QString());
    m_sizeCombo->setEnabled(sizeKnown || state.fontSizeStatus == Mixed);
    m_styleCombo->setCurrentIndex(m_styleCombo->findText(state.blockFormat));
}

void EditorPanel::toolbarClicked(const QString &key) {
    for (const auto &[button, command, option] : commandButtons) {
        if (key == QLatin1String(button)) {
            surface().execCommand(command, option);
            refreshToolbar();
            return;
        }
    }
    if (key == QLatin1String("Color"))
        chooseTextColor();
    else if (key == QLatin1String("undo"))
        surface().execCommand(Undo, DefaultOption);
    else if (key == QLatin1String("redo"))
        redo();
    else if (key == QLatin1String("new"))
        newFile();
    else if (key == QLatin1String("open"))
        openFile();
    else if (key == QLatin1String("save"))
        saveFile();
    else if (key == QLatin1String("expand"))
        toggleExpanded();
    else if (key == QLatin1String("link"))
        emit linkRequested();
    else if (key == QLatin1String("image"))
        emit imageRequested();
    else if (key == QLatin1String("table"))
        tableButton();
    else if (key == QLatin1String("spell"))
        emit spellRequested();
}

void EditorPanel::tableButton() {
    // Inside a table the button edits that table; a new one goes outside it.
    if (surface().queryStatus(InsertRow) >= Enabled && featureAvailable(Feature::TableProperties))
        emit tablePropertiesRequested();
    else
        emit tableRequested();
}

void EditorPanel::chooseTextColor() {
    const QColor chosen = QColorDialog::getColor(Qt::black, &m_context.panel, QStringLiteral("Text Color"));
    if (chosen.isValid())
        applyTextColor(chosen);
}

void EditorPanel::applyTextColor(const QColor &color) {
    // The colour number holds blue in its high byte and red in its low byte.
    const qint32 number = color.red() | (color.green() << 8) | (color.blue() << 16);
    surface().execCommand(SetForeColor, DontPromptUser, FormatRGBString(number));
    refreshToolbar();
}

void EditorPanel::fontChosen(int index) {
    if (m_ready && index >= 0 && surface().queryStatus(SetFontName) >= Enabled) {
        m_surface->execCommand(SetFontName, DontPromptUser, m_fontCombo->itemText(index));
        waitWhileBusy();
    }
    returnFocus();
}

void EditorPanel::sizeChosen(int index) {
    // The size is the list position, whatever the entry says.
    if (m_ready && index >= 0)
        surface().execCommand(SetFontSize, DontPromptUser, index + 1);
    returnFocus();
}

void EditorPanel::styleChosen(int index) {
    // Styles apply at all times, not only before the first display change.
    if (index >= 0 && surface().queryStatus(SetBlockFormat) >= Enabled) {
        m_surface->execCommand(SetBlockFormat, DontPromptUser, m_styleCombo->itemText(index));
        waitWhileBusy();
    }
    returnFocus();
}

void EditorPanel::returnFocus() {
    // The list's closing pop-up gives the focus back to the list: the document takes it after.
    QTimer::singleShot(0, this, [this] {
        if (m_surface)
            m_surface->setFocus(Qt::OtherFocusReason);
        refreshToolbar();
    });
}

void EditorPanel::waitWhileBusy() {
    while (m_surface && m_surface->busy()) {
        QEventLoop loop;
        QTimer::singleShot(busyPollMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void EditorPanel::redo() {
    surface().callBridge(QStringLiteral("editorRedo"));
}

const ContextMenu::Layout &EditorPanel::buildContextMenu() {
    const EditingSurface::DisplayState state = surface().displayState(
        {Cut, Copy, Paste, SelectAll, FontDialog, MakeAbsolute, SendToBack, InsertRow});
    const auto &s = state.statuses;
    ContextMenu::Statuses statuses;
    statuses.cut = s.value(0);
    statuses.copy = s.value(1);
    statuses.paste = s.value(2);
    statuses.selectAll = s.value(3);
    statuses.font = s.value(4);
    statuses.makeAbsolute = s.value(5);
    statuses.sendToBack = s.value(6);
    statuses.insertRow = s.value(7);
    statuses.cellPropertiesAvailable = featureAvailable(Feature::CellProperties);
    statuses.tablePropertiesAvailable = featureAvailable(Feature::TableProperties);
    m_menu = ContextMenu::build(statuses);
    m_surface->setContextMenu(m_menu.items, m_menu.states);
    return m_menu;
}

void EditorPanel::contextMenuAction(int index) {
    const ContextMenu::Action action = ContextMenu::actionAt(m_menu, index);
    if (action.command != 0) {
        surface().execCommand(action.command, action.option);
        refreshToolbar();
        return;
    }
    if (action.propertyDialog == 0)
        return;
    if (action.propertyDialog == 1)
        m_cellScope = action.scope;
    m_pendingDialog = action.propertyDialog;
    // The dialog opens after the menu has closed, never from inside its notification.
    m_timer1->start();
}

void EditorPanel::timerTick() {
    const int pending = std::exchange(m_pendingDialog, 0);
    if (pending == 1)
        emit cellPropertiesRequested(m_cellScope);
    else if (pending == 2)
        emit tablePropertiesRequested();
}

bool EditorPanel::askToSaveChanges() {
    if (!m_surface || !m_surface->documentChanged())
        return true;
    switch (m_context.messages.ask(QStringLiteral("Save changes to the document?"),
                                   Messages::Buttons::SaveDiscardCancel, Messages::Answer::Yes)) {
    case Messages::Answer::Yes:
        return saveFile(m_surface->documentPath());
    case Messages::Answer::No:
        return true;
    default:
        return false;
    }
}

QString EditorPanel::askForDocument(FileDialog purpose) {
    const bool save = purpose == FileDialog::Save;
    const QString current = m_surface ? m_surface->documentPath() : QString();
    const QString start = m_folders.folder(EditorFolders::Kind::Documents,
                                           current.isEmpty() ? QString() : QFileInfo(current).absolutePath());
    QFileDialog dialog(&m_context.panel,
                       save ? QStringLiteral("Save Blog as HTML File") : QStringLiteral("Open HTML File"),
                       start, QStringLiteral("HTML files (*.htm *.html);;All files (*)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension is saved as ".htm", as the filter shows.
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    if (save && !current.isEmpty())
        dialog.selectFile(QFileInfo(current).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString file = dialog.selectedFiles().constFirst();
    if (save && QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".htm");
    m_folders.remember(EditorFolders::Kind::Documents, file);
    return file;
}

void EditorPanel::newFile() {
    if (askToSaveChanges())
        surface().newDocument();
}

void EditorPanel::openFile(const QString &path) {
    if (!askToSaveChanges())
        return;
    const QString file = path.isEmpty() ? askForDocument(FileDialog::Open) : path;
    if (file.isEmpty())
        return;
    const qint32 error = surface().loadDocument(file, path.isEmpty());
    if (error == DocumentFile::NoError || error == DocumentFile::Cancelled)
        return;
    m_context.messages.inform(QStringLiteral("Error occurred while loading document: ") +
                              DocumentFile::reason(error, DocumentFile::Operation::Load) + QLatin1Char('.'));
    m_surface->newDocument();
}

bool EditorPanel::saveFile(const QString &path) {
    const QString file = path.isEmpty() ? askForDocument(FileDialog::Save) : path;
    if (file.isEmpty())
        return false;
    const qint32 error = surface().saveDocument(file);
    if (error == DocumentFile::NoError || error == DocumentFile::Cancelled)
        return error == DocumentFile::NoError;
    m_context.messages.inform(QStringLiteral("Error occurred while saving document: ") +
                              DocumentFile::reason(error, DocumentFile::Operation::Save) + QLatin1Char('.'));
    return false;
}

void EditorPanel::requestPostTransfer(Transfer how) {
    // Readers of the blog cannot load pictures from this computer's files: the user hears of them
    // before they go into the post. The answer holds for the transfers that follow the editor by
    // themselves until the pictures change; the Copy button asks each time.
    if (m_askingAboutPictures)
        return;
    const QStringList pictures = m_surface ? m_surface->localPictures() : QStringList();
    if (!pictures.isEmpty() && (how == Transfer::Asked || pictures != m_picturesAnswered)) {
        m_askingAboutPictures = true;
        const Messages::Answer answer = m_context.messages.ask(
            QStringLiteral("These pictures are files on this computer, which readers of the blog cannot "
                           "see:\n\n%1\n\nCopy the document to the post form anyway?")
                .arg(pictures.join(QLatin1Char('\n'))),
            Messages::Buttons::YesNo, Messages::Answer::No);
        m_askingAboutPictures = false;
        m_picturesAnswered = pictures;
        m_picturesAccepted = answer == Messages::Answer::Yes;
    }
    if (pictures.isEmpty() || m_picturesAccepted)
        emit postTransferRequested();
}

void EditorPanel::toggleExpanded() {
    QFrame &panel = m_context.panel;
    const int editorHeight = m_context.editorHeight();
    int height = 0;
    if (panel.height() > Twips::toPixels(editorHeight)) {
        height = editorHeight < 1500 ? 2500 : editorHeight;
        m_toolbar->setExpanded(false);
    } else {
        height = m_context.mainPaneHeight() - m_context.editorTop() - 50;
        m_toolbar->setExpanded(true);
    }
    panel.resize(panel.width(), Twips::toPixels(height));
}

void EditorPanel::showHtmlSource() {
    // The page is uncovered and drawn at once; the transfer's round trips into both pages come
    // after, so the editor never lingers on screen while they run.
    QFrame &panel = m_context.panel;
    panel.hide();
    if (QWidget *under = panel.parentWidget())
        under->repaint(panel.geometry());
    requestPostTransfer(Transfer::Following);
}

void EditorPanel::showVisual() {
    m_context.panel.show();
    m_context.panel.raise();
}
