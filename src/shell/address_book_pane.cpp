#include "shell/address_book_pane.h"

#include "base/themed_icon.h"
#include "base/twips.h"
#include "shell/splitter_rules.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

AddressBookPane::AddressBookPane(QSplitter &splitter, QPushButton &showButton, QWidget *parent)
    : QWidget(parent)
    , m_splitter(splitter)
    , m_showButton(showButton)
    , m_title(new QLabel(QStringLiteral(" Address Book:"), this))
    , m_hideButton(new QPushButton(QStringLiteral("Hide"), this))
    , m_toolbar(new QToolBar(this))
    , m_toolbarRow2(new QToolBar(this))
    , m_books(new QListWidget(this))
    , m_grid(new QTableView(this))
    , m_cellEdit(new QLineEdit(this)) {
    setObjectName(QStringLiteral("TabStrip1"));
    m_title->setObjectName(QStringLiteral("LabelBkName"));
    m_hideButton->setObjectName(QStringLiteral("CommandHide"));
    m_hideButton->setToolTip(QStringLiteral("Hide the address book pane"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar2"));
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbarRow2->setObjectName(QStringLiteral("Toolbar2Row2"));
    m_toolbarRow2->setIconSize(QSize(16, 16));
    m_toolbarRow2->hide();
    m_books->setObjectName(QStringLiteral("ListBooks"));
    m_books->setToolTip(QStringLiteral("The address books in the main directory: click one to open it "
                                       "(Open on the toolbar finds others)"));
    m_books->hide();
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_cellEdit->setObjectName(QStringLiteral("TextEdit"));
    m_cellEdit->hide();
    // The cell editor is reached from the grid, by a click or a key there; Tab passes it by.
    m_cellEdit->setFocusPolicy(Qt::ClickFocus);
    m_grid->hide();

    m_expandAction = m_toolbar->addAction(themedIcon("go-next"), QStringLiteral("expand"));
    m_expandAction->setObjectName(QStringLiteral("expand"));
    m_expandAction->setToolTip(QStringLiteral("Expand Address Book"));
    connect(m_expandAction, &QAction::triggered, this, &AddressBookPane::toggleExpanded);
    connect(m_hideButton, &QPushButton::clicked, this, &AddressBookPane::hidePane);
    for (const auto chosen : {&QListWidget::itemClicked, &QListWidget::itemActivated}) {
        connect(m_books, chosen, this,
                [this](QListWidgetItem *item) { emit bookChosen(item->data(Qt::UserRole).toString()); });
    }
    connect(&m_showButton, &QPushButton::clicked, this, &AddressBookPane::showPane);

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(m_title, 1);
    titleRow->addWidget(m_hideButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(titleRow);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_toolbarRow2);
    layout->addWidget(m_books);
    layout->addWidget(m_cellEdit);
    layout->addWidget(m_grid, 1);
    layout->addStretch(0);

    const int minimum = Twips::toPixels(SplitterRules::minimumPane);
    setMinimumWidth(minimum);
}

void AddressBookPane::listBooks(const QString &folder, const QString &open) {
    const QDir dir(folder);
    m_books->clear();
    for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.csv"), QStringLiteral("*.txt")},
                                                   QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        auto *item = new QListWidgetItem(file.fileName(), m_books);
        item->setData(Qt::UserRole, file.absoluteFilePath());
        if (QFileInfo(open) == file)
            m_books->setCurrentItem(item);
    }
    // A few rows are enough to pick from; the grid keeps the room.
    const int rows = qMin(m_books->count(), 5);
    m_books->setFixedHeight(rows * m_books->sizeHintForRow(0) + 2 * m_books->frameWidth());
    m_books->setVisible(rows > 0);
}

void AddressBookPane::wrapToolbarAt(const QString &first) {
    const QList<QAction *> actions = m_toolbar->actions();
    const auto from = std::find_if(actions.begin(), actions.end(),
                                   [&first](const QAction *a) { return a->objectName() == first; });
    // The expand button stays last on the first row, at the pane's edge.
    for (auto it = from; it != actions.end(); ++it) {
        if (*it == m_expandAction)
            continue;
        m_toolbar->removeAction(*it);
        m_toolbarRow2->addAction(*it);
    }
    m_toolbarRow2->setVisible(from != actions.end());
}

int AddressBookPane::windowWidthTwips() const {
    return Twips::fromPixels(m_splitter.width());
}

int AddressBookPane::splitterTwips() const {
    return m_hidden ? 0 : Twips::fromPixels(m_splitter.sizes().value(0));
}

void AddressBookPane::SizeControls(int wantedTwips) {
    const int widthTwips = windowWidthTwips();
    const int x = SplitterRules::layoutPosition(wantedTwips, widthTwips, m_hidden);
    const int total = m_splitter.width();
    const int left = m_hidden ? 0 : Twips::toPixels(x);
    m_splitter.setSizes({left, qMax(0, total - left - m_splitter.handleWidth())});
}

void AddressBookPane::hidePane() {
    m_hidden = true;
    hide();
    m_showButton.show();
    SizeControls(0);
    emit visibilityChanged(false);
}

void AddressBookPane::showPane() {
    if (m_expanded)
        toggleExpanded();
    m_hidden = false;
    show();
    m_showButton.hide();
    SizeControls(m_rememberedTwips > 0 ? m_rememberedTwips
                                       : SplitterRules::firstShownPosition(windowWidthTwips()));
    emit visibilityChanged(true);
}

void AddressBookPane::toggleExpanded() {
    if (!m_expanded) {
        m_rememberedTwips = splitterTwips();
        SizeControls(SplitterRules::expandedPosition(windowWidthTwips()));
        m_expanded = true;
        m_expandAction->setToolTip(QStringLiteral("Contract Address Book"));
        m_expandAction->setIcon(themedIcon("go-previous"));
    } else {
        SizeControls(m_rememberedTwips);
        m_expanded = false;
        m_expandAction->setToolTip(QStringLiteral("Expand Address Book"));
        m_expandAction->setIcon(themedIcon("go-next"));
    }
}
