// The address books' part of the main window.
#include "shell/main_form.h"

#include "addressbook/address_book_controller.h"
#include "shell/address_book_pane.h"
#include "shell/tab_navigator.h"
#include "store/message_capture.h"
#include "webpages/address_insertion.h"
#include "webpages/web_pane.h"

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
    auto *insertion = new AddressInsertion(
        webBrowser(1), webBrowser(3), pageState(), messages(),
        {[this] { return tabs().selected(); }, [this](int tab) { tabs().select(tab); }}, this);
    insertion->setSources({[addresses] { return addresses->selectedAddresses(); },
                           [addresses] { return addresses->palettePick(); }});
    connect(addresses, &AddressBookController::insertRequested, insertion,
            &AddressInsertion::Web_InsertField);

    QAction *import = new QAction(QStringLiteral("&Import Address List..."), fileMenu());
    import->setObjectName(QStringLiteral("import"));
    fileMenu()->insertAction(fileMenu()->actions().value(0), import);
    connect(import, &QAction::triggered, addresses, [addresses] { addresses->book().importData(); });
}
