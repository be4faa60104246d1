// The address books' part of the main window.
#include "shell/main_form.h"

#include "addressbook/address_book_controller.h"
#include "base/settings.h"
#include "shell/address_book_pane.h"
#include "shell/setting_widgets.h"
#include "shell/settings_panel.h"
#include "shell/tab_navigator.h"
#include "store/message_capture.h"
#include "webpages/address_insertion.h"
#include "webpages/service_origin.h"
#include "webpages/web_pane.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

void MainForm::createAddressBook() {
    AddressBookPane &pane = addressBookPane();
    auto *addresses = new AddressBookController(
        {*this, *pane.grid(), *pane.toolbar(), *pane.findChild<QLabel *>(QStringLiteral("LabelBkName")),
         *pane.findChild<QLineEdit *>(QStringLiteral("TextEdit")), webBrowser(1), messages(),
         [this](const QString &relative) { return dataPath(m_startup.mainDir, relative); },
         [this]() -> std::optional<QString> {
             auto *capture = findChild<MessageCapture *>(QStringLiteral("MessageCapture"));
             const auto displayed = capture ? capture->readDisplayed() : std::nullopt;
             if (!displayed || !displayed->headers.fromFound)
                 return std::nullopt;
             return displayed->headers.from;
         },
         [this](const QString &text) { setStatusPanel(2, text); }},
        this);
    // The book's own commands on the first row, those that use its addresses on the second.
    pane.wrapToolbarAt(QStringLiteral("addmsg"));
    auto *insertion = new AddressInsertion(
        webBrowser(1), webBrowser(3), pageState(),
        [this](const QString &page) { return serviceOrigin().service(page).name(); }, messages(),
        {[this] { return tabs().selected(); }, [this](int tab) { tabs().select(tab); }}, this);
    insertion->setSources({[addresses] { return addresses->selectedAddresses(); },
                           [addresses] { return addresses->palettePick(); }});
    connect(addresses, &AddressBookController::insertRequested, insertion,
            &AddressInsertion::Web_InsertField);
    // The book open now is the one to reopen at the next start.
    connect(&addresses->book(), &AddressBook::bookOpened, this,
            [this, addresses] { m_settings.set(Keys::LastBook, addresses->book().currentPath()); });
    // The main directory's books, listed whenever the pane comes up or a book opens (a new one
    // is saved there first); a click opens one.
    const auto listBooks = [this, addresses, &pane] {
        pane.listBooks(dataPath(m_startup.mainDir, QStringLiteral("addrbooks/")),
                       addresses->book().currentPath());
    };
    connect(&addresses->book(), &AddressBook::bookOpened, this, listBooks);
    connect(&pane, &AddressBookPane::visibilityChanged, this, [listBooks](bool shown) {
        if (shown)
            listBooks();
    });
    connect(&pane, &AddressBookPane::bookChosen, addresses, [addresses](const QString &path) {
        if (path == addresses->book().currentPath())
            return;
        addresses->book().setPendingPath(path);
        addresses->book().Open_CSV();
    });
    SettingWidgets::keepInSettings(*m_settingsPanel->checkEmail(), m_settings, Keys::ShowPalette);

    QAction *import = new QAction(QStringLiteral("&Import Address List..."), fileMenu());
    import->setObjectName(QStringLiteral("import"));
    fileMenu()->insertAction(fileMenu()->actions().value(0), import);
    connect(import, &QAction::triggered, addresses, [addresses] { addresses->book().importData(); });
}

void MainForm::reopenAddressBook() {
    auto *addresses = findChild<AddressBookController *>(QStringLiteral("AddressBookController"));
    // A book that has gone since the last run is skipped without a word.
    const QFileInfo last(m_settings.get(Keys::LastBook));
    if (!last.filePath().isEmpty() && last.isFile()) {
        addresses->book().setPendingPath(last.filePath());
        addresses->book().Open_CSV();
    }
    if (m_settingsPanel->checkEmail()->isChecked())
        addresses->showPalette();
}
