// The editor panel: the surface made when first needed, the toolbar's buttons and its state, and
// the commands that come from elsewhere. Its controls and format lists, mode switches, context
// menu, files and blog post transfer are in editor_panel_controls.cpp, _modes.cpp, _menu.cpp,
// _files.cpp and _post.cpp.
#include "editor/editor_panel.h"

#include "base/twips.h"
#include "editor/editing_surface.h"
#include "editor/editor_selection.h"
#include "editor/editor_toolbar.h"
#include "editor/rgb_string.h"

#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QTimer>
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
    delete m_layout->takeAt(m_layout->count() - 1); // the place held for it
    m_layout->addWidget(m_surface, 1);
    m_selection = std::make_unique<EditorSelection>(*m_surface);
    connect(m_surface, &EditingSurface::displayChanged, this, &EditorPanel::refreshToolbar);
    connect(m_surface, &EditingSurface::contextMenuRequested, this, &EditorPanel::buildContextMenu);
    connect(m_surface, &EditingSurface::contextMenuActionTriggered, this, &EditorPanel::contextMenuAction);
    // Queued: the focus leaves, say, for a format list whose choice is itself talking to the page,
    // and a transfer run inside that exchange would cut it short. Said at once, so that a click
    // following the pointer out (on the page's Publish, say) waits for the post to have the document.
    const auto follow = [this] {
        emit postTransferPending(true);
        QMetaObject::invokeMethod(
            this,
            [this] {
                requestPostTransfer(Transfer::Following);
                emit postTransferPending(false);
            },
            Qt::QueuedConnection);
    };
    connect(m_surface, &EditingSurface::pointerLeft, this, follow);
    connect(m_surface, &EditingSurface::focusLost, this, follow);
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

void EditorPanel::redo() {
    surface().callBridge(QStringLiteral("editorRedo"));
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
