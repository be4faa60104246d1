#include "addressbook/address_book_controller.h"

#include "addressbook/address_grid.h"
#include "addressbook/dialog_find.h"
#include "addressbook/form_email.h"
#include "addressbook/sender_name.h"
#include "base/messages.h"
#include "base/themed_icon.h"

#include <QAction>
#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolBar>

namespace {

struct ToolButton {
    const char *key;
    const char *caption;
    const char *toolTip;
    const char *icon; // none: a caption instead of a picture
};

constexpr ToolButton buttons[] = {
    {"new", "New", "New Address Book", "document-new"},
    {"open", "Open", "Open Address Book", "document-open"},
    {"save", "Save", "Save Address Book", "document-save"},
    {"add", "Add", "Add an Empty Row", nullptr},
    {"remove", "Delete", "Delete the Selected Addresses", nullptr},
    {"find", "Find", "Find Address", "edit-find"},
    {"addmsg", "Add Sender", "Add the Sender of the Displayed Message", nullptr},
    {"setto", "To", "Insert the Selected Addresses into To", nullptr},
    {"setcc", "Cc", "Insert the Selected Addresses into Cc", nullptr},
    {"setbcc", "Bcc", "Insert the Selected Addresses into Bcc", nullptr},
    {"palette", "Palette", "Show Email Address Palette", nullptr},
};

// The cell editor's caption sits right above the editor box, in whatever layout holds it.
QLabel *addLabelAbove(QLineEdit &editBox) {
    auto *label = new QLabel(editBox.parentWidget());
    label->setObjectName(QStringLiteral("LabelEdit"));
    label->hide();
    if (auto *layout = qobject_cast<QBoxLayout *>(editBox.parentWidget()->layout()))
        layout->insertWidget(layout->indexOf(&editBox), label);
    return label;
}

} // namespace

AddressBookController::AddressBookController(Parts parts, QObject *parent)
    : QObject(parent)
    , m_window(parts.window)
    , m_mainPane(parts.mainPane)
    , m_bookName(parts.bookName)
    , m_displayedSender(std::move(parts.displayedSender))
    , m_showStatus(std::move(parts.showStatus))
    , m_book(parts.messages, std::move(parts.places), &parts.window, this)
    , m_grid(new AddressGrid(parts.grid, parts.editBox, *addLabelAbove(parts.editBox), m_book.model(),
                             m_book.findState(), parts.messages, this))
    , m_palette(new FormEmail(&parts.window)) {
    setObjectName(QStringLiteral("AddressBookController"));
    createActions(parts.toolbar);
    connect(&m_book, &AddressBook::bookOpened, this, &AddressBookController::onBookOpened);
    connect(&m_book, &AddressBook::bookLabelChanged, &m_bookName, &QLabel::setText);
    connect(m_grid, &AddressGrid::insertRequested, this, [this] { emit insertRequested(0); });
    connect(m_palette, &FormEmail::picked, this, [this] { emit insertRequested(10); });
    m_window.installEventFilter(this);
}

AddressBookController::~AddressBookController() = default;

void AddressBookController::createActions(QToolBar &toolbar) {
    QAction *expand = toolbar.findChild<QAction *>(QStringLiteral("expand"));
    QHash<QString, QAction *> actions;
    for (const ToolButton &button : buttons) {
        auto *action = new QAction(QString::fromLatin1(button.caption), &toolbar);
        action->setObjectName(QString::fromLatin1(button.key));
        action->setToolTip(QString::fromLatin1(button.toolTip));
        if (button.icon)
            action->setIcon(themedIcon(button.icon));
        toolbar.insertAction(expand, action);
        actions.insert(action->objectName(), action);
    }
    const auto on = [&](const char *key, auto handler) {
        connect(actions.value(QString::fromLatin1(key)), &QAction::triggered, this, handler);
    };
    on("new", [this] { m_book.newBook(); });
    on("open", [this] { m_book.Open_CSV(); });
    on("save", [this] { m_book.SaveAddressBook(); });
    on("add", [this] { m_grid->addRow(); });
    on("remove", [this] { m_grid->removeSelected(); });
    on("find", [this] { showFind(); });
    on("addmsg", [this] { addSender(); });
    on("setto", [this] { emit insertRequested(0); });
    on("setcc", [this] { emit insertRequested(1); });
    on("setbcc", [this] { emit insertRequested(2); });
    on("palette", [this] { showPalette(); });
}

QStringList AddressBookController::selectedAddresses() const {
    const auto [first, last] = m_grid->selectedRows();
    QStringList addresses;
    if (first < 0)
        return addresses;
    for (int row = first; row <= last; ++row)
        addresses.append(m_book.model().cell(row, m_book.email_col()));
    return addresses;
}

std::optional<QString> AddressBookController::palettePick() const {
    return m_palette->pick();
}

void AddressBookController::showPalette() {
    m_palette->Form_Load(m_book.model(), m_book.email_col());
    if (!m_palette->isVisible()) {
        m_palette->adjustSize();
        const QPoint corner = m_mainPane.mapToGlobal(QPoint(m_mainPane.width(), 0));
        m_palette->move(corner.x() - m_palette->width() - 24, corner.y() + 24);
    }
    m_palette->show();
    m_palette->raise();
}

void AddressBookController::closePalette() {
    m_palette->close();
}

void AddressBookController::showFind() {
    if (!m_find) {
        m_find = new DialogFind(m_book.model(), m_book.findState(), &m_window);
        connect(m_find, &DialogFind::matchFound, m_grid, &AddressGrid::showFound);
    }
    m_find->Form_Load(m_mainPane.mapToGlobal(QPoint(m_mainPane.width() / 2, 0)));
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
}

QString AddressBookController::noSenderMessage() {
    return QStringLiteral("Unable to locate address. Are you sure a message is displayed?");
}

void AddressBookController::addSender() {
    if (m_book.currentPath().isEmpty()) {
        m_book.messages().inform(AddressBook::noBookMessage());
        return;
    }
    const std::optional<QString> from = m_displayedSender();
    const SenderName::Sender sender = from ? SenderName::parse(*from) : SenderName::Sender();
    if (sender.address.isEmpty()) {
        m_book.messages().inform(noSenderMessage());
        return;
    }
    BookModel &model = m_book.model();
    model.appendRows({{sender.first, sender.last, sender.address}});
    m_grid->goTo(model.rowCount() - 1, std::min(2, model.columnCount() - 1));
    m_showStatus(QStringLiteral("Addr Added"));
}

void AddressBookController::onBookOpened() {
    m_grid->showBook(m_book.columnRoles());
    // The palette follows the open book.
    if (m_palette->isVisible())
        m_palette->Form_Load(m_book.model(), m_book.email_col());
}

bool AddressBookController::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &m_window && event->type() == QEvent::Close) {
        m_book.saveIfModified();
        m_palette->close();
        if (m_find)
            m_find->close();
    }
    return QObject::eventFilter(watched, event);
}
