// Email templates and mail merge in the main window: the compose frame's buttons and list, the
// default template on the Settings tab, and the two dialogs.
#include "shell/main_form.h"

#include "addressbook/address_book_controller.h"
#include "addressbook/address_grid.h"
#include "addressbook/form_email.h"
#include "base/messages.h"
#include "base/settings.h"
#include "base/twips.h"
#include "mailmerge/dialog_merge.h"
#include "mailmerge/dialog_template.h"
#include "mailmerge/merge_run.h"
#include "mailmerge/template_file.h"
#include "shell/help_launcher.h"
#include "shell/help_window.h"
#include "shell/settings_panel.h"
#include "shell/tab_navigator.h"
#include "webpages/compose_transfer.h"
#include "webpages/web_pane.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

namespace {

QPushButton *composeButton(const char *name, const char *caption, QWidget *parent) {
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// Closing the main window ends a merge run first: its waits must not outlive the window.
class CloseWatcher : public QObject {
public:
    CloseWatcher(QWidget &window, std::function<void()> onClose)
        : QObject(&window)
        , m_onClose(std::move(onClose)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Close)
            m_onClose();
        return false;
    }

private:
    std::function<void()> m_onClose;
};

} // namespace

void MainForm::createMailMerge() {
    // The same main directory start-up reads, which it has not read yet.
    const QString mainDir = m_settings.get(Keys::MainDir);
    const QString folder = dataPath(mainDir, QStringLiteral("templates"));
    auto *comboTemplate = new QComboBox(this);
    comboTemplate->setObjectName(QStringLiteral("ComboTemplate"));
    comboTemplate->setMinimumContentsLength(16);
    comboTemplate->setToolTip(
        QStringLiteral("The email template \"Use Template\" puts into the compose page"));
    QComboBox *comboTemplate2 = m_settingsPanel->comboTemplate2();
    // Templates saved in earlier sessions are listed from the folder.
    const QStringList names = TemplateFile::list(folder);
    comboTemplate->addItems(names);
    comboTemplate2->addItems(names);
    // The default template is the one the compose frame offers first; both lists hold the same
    // names in the same order.
    const int preferred = int(names.indexOf(m_settings.get(Keys::DefaultTemplate)));
    comboTemplate->setCurrentIndex(preferred);
    comboTemplate2->setCurrentIndex(preferred);
    connect(comboTemplate2, &QComboBox::activated, this, [this, comboTemplate, comboTemplate2](int index) {
        m_settings.set(Keys::DefaultTemplate, comboTemplate2->itemText(index));
        comboTemplate->setCurrentIndex(index);
    });

    auto *editTemplate = composeButton("CommandTemplate", "&New/Edit...", this);
    auto *useTemplate = composeButton("Command4", "&Use Template >>", this);
    auto *mailMerge = composeButton("Command5", "&Mail Merge...", this);
    m_composeBar->addWidget(editTemplate);
    m_composeBar->addWidget(comboTemplate);
    m_composeBar->addWidget(useTemplate);
    m_composeBar->addStretch(1);
    m_composeBar->addWidget(mailMerge);

    auto *transfer = findChild<ComposeTransfer *>(QStringLiteral("ComposeTransfer"));
    auto *addresses = findChild<AddressBookController *>(QStringLiteral("AddressBookController"));
    const auto helpOn = [this](HelpLauncher::Topic topic) {
        return [this, topic] { HelpWindow::showTopic(*this, m_startup.mainDir, topic); };
    };

    // Opens the template dialog; in apply mode the chosen template goes straight into the page.
    const auto openTemplateDialog = [=, this](bool apply) {
        const bool paletteWasOpen = addresses && addresses->palette().isVisible();
        if (paletteWasOpen)
            addresses->closePalette();
        DialogTemplate dialog(
            {folder, m_messages,
             [comboTemplate] {
                 QStringList listed;
                 for (int i = 0; i < comboTemplate->count(); ++i)
                     listed.push_back(comboTemplate->itemText(i));
                 return listed;
             }(),
             comboTemplate->currentIndex(),
             [comboTemplate, comboTemplate2](const QString &fileName) {
                 comboTemplate->addItem(fileName);
                 // The default list goes on showing the recorded default: the first name added
                 // to an empty list would show as chosen without being recorded.
                 const int shown = comboTemplate2->currentIndex();
                 comboTemplate2->addItem(fileName);
                 comboTemplate2->setCurrentIndex(shown);
             },
             [this, transfer]() -> std::optional<TemplateFile::Template> {
                 m_pageState.template_subj.clear();
                 m_pageState.template_body.clear();
                 transfer->ReplyOrForward(int(TransferMode::ReadTemplate));
                 return TemplateFile::Template{m_pageState.template_subj, m_pageState.template_body};
             },
             [this, transfer](const TemplateFile::Template &value) {
                 m_pageState.template_subj = value.subject;
                 m_pageState.template_body = value.body;
                 transfer->ReplyOrForward(int(TransferMode::InsertTemplate));
             },
             helpOn(HelpLauncher::Topic::Templates)},
            this);
        if (apply)
            dialog.Command4_Click();
        else
            dialog.exec();
        if (paletteWasOpen)
            addresses->showPalette();
    };
    connect(editTemplate, &QPushButton::clicked, this, [openTemplateDialog] { openTemplateDialog(false); });
    connect(useTemplate, &QPushButton::clicked, this, [this, comboTemplate, openTemplateDialog] {
        // The editor panel is parked over the main pane, one twip wide, out of the page's way.
        const QWidget &mainPane = webBrowser(1);
        m_editorPanel->setGeometry(mainPane.x(), mainPane.y() + Twips::toPixels(100),
                                   std::max(1, Twips::toPixels(1)), m_editorPanel->height());
        if (comboTemplate->currentIndex() < 0) {
            m_messages.inform(QStringLiteral("You must select a template."));
            return;
        }
        openTemplateDialog(true);
    });

    auto *run = new MergeRun(webBrowser(3), this);
    run->setObjectName(QStringLiteral("MergeRun"));
    run->setRecordedService([this] { return m_settings.get(Keys::Service); });
    auto *progress = findChild<QProgressBar *>(QStringLiteral("Progress1"));
    auto *merge = new DialogMerge(
        {*run, m_messages,
         [this] {
             if (m_tabs->selected() != TabNavigator::Compose)
                 m_tabs->select(TabNavigator::Compose);
         },
         [addresses]() -> MergePlan::Book {
             if (!addresses)
                 return {};
             const BookModel &model = addresses->book().model();
             QStringList titles;
             for (int column = 0; column < model.columnCount(); ++column)
                 titles.push_back(model.plainTitle(column));
             return {titles, addresses->book().email_col(), model.rowCount(), [&model](int row) {
                         QStringList cells;
                         for (int column = 0; column < model.columnCount(); ++column)
                             cells.push_back(model.cell(row, column));
                         return cells;
                     }};
         },
         [addresses]() -> std::pair<int, int> {
             auto *grid = addresses ? addresses->findChild<AddressGrid *>() : nullptr;
             return grid ? grid->selectedRows() : std::pair{-1, -1};
         },
         [addresses] { return addresses ? addresses->book().currentPath() : QString(); },
         dataPath(mainDir, QStringLiteral("mergelogs")), helpOn(HelpLauncher::Topic::MailMerge),
         [this, progress](int done, int total, const QString &text) {
             setStatusPanel(2, text);
             if (!progress)
                 return;
             progress->setVisible(total > 0);
             progress->setRange(0, std::max(total, 1));
             progress->setValue(done);
         },
         [this] { return m_settings.get(Keys::MergePace).toInt(); },
         [this](int seconds) { m_settings.set(Keys::MergePace, QString::number(seconds)); },
         [this] {
             bool ok = false;
             const int seconds = m_settings.get(Keys::MergeTimeout).toInt(&ok);
             return ok && seconds > 0 ? seconds
                                      : QString::fromLatin1(Keys::MergeTimeout.defaultValue).toInt();
         }},
        this);
    connect(mailMerge, &QPushButton::clicked, this, [this, merge] {
        if (m_tabs->selected() != TabNavigator::Compose)
            m_tabs->select(TabNavigator::Compose);
        if (!merge->isVisible())
            merge->Form_Load();
        merge->show();
        merge->raise();
    });
    new CloseWatcher(*this, [merge] {
        if (merge->isVisible())
            merge->close();
    });
}
