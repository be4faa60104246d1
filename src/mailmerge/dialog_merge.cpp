#include "mailmerge/dialog_merge.h"

#include "base/messages.h"
#include "mailmerge/merge_journal.h"
#include "mailmerge/merge_run.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QPushButton *namedButton(const char *name, const QString &caption, QWidget *parent) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QString sentCaption() {
    return QStringLiteral("Emails have been sent to:");
}

QString timeText(qint64 ms) {
    const qint64 seconds = (ms + 999) / 1000;
    return seconds >= 60 ? QStringLiteral("%1 min %2 s left").arg(seconds / 60).arg(seconds % 60)
                         : QStringLiteral("%1 s left").arg(seconds);
}

} // namespace

DialogMerge::DialogMerge(Parts parts, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_parts(std::move(parts)) {
    setObjectName(QStringLiteral("DialogMerge"));
    setWindowTitle(QStringLiteral("Mail Merge"));
    setModal(false);

    auto *range = new QGroupBox(QStringLiteral("Send to"), this);
    m_selected = new QRadioButton(QStringLiteral("Only the selected addresses "), range);
    m_selected->setObjectName(QStringLiteral("Option1"));
    m_all = new QRadioButton(QStringLiteral("All addresses in your address book"), range);
    m_all->setObjectName(QStringLiteral("Option2"));
    m_pace = new QSpinBox(range);
    m_pace->setObjectName(QStringLiteral("SpinPace"));
    m_pace->setRange(0, 3600);
    m_pace->setSuffix(QStringLiteral(" s"));
    auto *paceRow = new QHBoxLayout;
    paceRow->addWidget(new QLabel(QStringLiteral("Seconds &between emails:"), range));
    paceRow->addWidget(m_pace);
    paceRow->addStretch(1);
    static_cast<QLabel *>(paceRow->itemAt(0)->widget())->setBuddy(m_pace);
    // A service may refuse an address (one that does not exist there): the others may still go.
    m_stopOnRefusal = new QCheckBox(QStringLiteral("Stop when the service &refuses an address"), range);
    m_stopOnRefusal->setObjectName(QStringLiteral("CheckStopOnRefusal"));
    auto *rangeLayout = new QVBoxLayout(range);
    rangeLayout->addWidget(m_selected);
    rangeLayout->addWidget(m_all);
    rangeLayout->addLayout(paceRow);
    rangeLayout->addWidget(m_stopOnRefusal);

    m_start = namedButton("CommandStart", QStringLiteral("Start"), this);
    m_stop = namedButton("CommandStop", QStringLiteral("Stop"), this);
    m_test = namedButton("CommandTest", QStringLiteral("Test"), this);
    m_undoTest = namedButton("CommandUndoTest", QStringLiteral("Stop Test"), this);
    auto *showLogButton = namedButton("Command1", QStringLiteral("Show Log"), this);
    m_hide = namedButton("CommandHide", QStringLiteral("Hide Log"), this);
    auto *help = namedButton("Command5", QStringLiteral("Help"), this);
    auto *close = namedButton("CancelButton", QStringLiteral("Close"), this);

    m_numSent = new QLabel(this);
    m_numSent->setObjectName(QStringLiteral("LabelNumSent"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressMerge"));
    m_progress->setFormat(QStringLiteral("%v of %m"));
    m_timeLeft = new QLabel(this);
    m_timeLeft->setObjectName(QStringLiteral("LabelTimeLeft"));

    m_frameTest = new QGroupBox(QStringLiteral("Test"), this);
    m_frameTest->setObjectName(QStringLiteral("FrameTest"));
    m_testLabel = new QLabel(testText(), m_frameTest);
    m_testLabel->setWordWrap(true);
    m_log = new QPlainTextEdit(m_frameTest);
    m_log->setObjectName(QStringLiteral("TextSent"));
    m_log->setReadOnly(true);
    auto *testLayout = new QGridLayout(m_frameTest);
    testLayout->addWidget(m_testLabel, 0, 0, 1, 2);
    testLayout->addWidget(m_log, 1, 0, 1, 2);
    testLayout->addWidget(m_test, 2, 0);
    testLayout->addWidget(m_undoTest, 2, 1);

    auto *runButtons = new QHBoxLayout;
    for (QPushButton *button : {m_start, m_stop})
        runButtons->addWidget(button);
    runButtons->addStretch(1);
    runButtons->addWidget(m_numSent);
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_timeLeft);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(showLogButton);
    bottom->addWidget(m_hide);
    bottom->addStretch(1);
    bottom->addWidget(help);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addLayout(runButtons);
    layout->addLayout(progressRow);
    layout->addWidget(m_frameTest, 1);
    layout->addLayout(bottom);
    setMinimumWidth(460);

    connect(m_start, &QPushButton::clicked, this, &DialogMerge::CommandStart_Click);
    connect(m_stop, &QPushButton::clicked, this, &DialogMerge::CommandStop_Click);
    connect(m_test, &QPushButton::clicked, this, &DialogMerge::CommandTest_Click);
    connect(m_undoTest, &QPushButton::clicked, this, &DialogMerge::CommandUndoTest_Click);
    connect(showLogButton, &QPushButton::clicked, this, &DialogMerge::Command1_Click);
    connect(m_hide, &QPushButton::clicked, this, [this] { showLog(false); });
    connect(help, &QPushButton::clicked, this, [this] { m_parts.showHelp(); });
    connect(close, &QPushButton::clicked, this, &DialogMerge::reject);
    connect(m_pace, &QSpinBox::valueChanged, this, [this](int seconds) { m_parts.setPaceSeconds(seconds); });
    connect(&m_parts.run, &MergeRun::emailSent, this, &DialogMerge::onEmailSent);
    connect(&m_parts.run, &MergeRun::emailRefused, this, &DialogMerge::onEmailRefused);
    connect(&m_parts.run, &MergeRun::progressChanged, this, &DialogMerge::onProgress);
    Form_Load();
}

QString DialogMerge::testText() {
    return QStringLiteral("The test feature will create one email based on the first address in your list "
                          "and will display it in "
                          "the Compose form. The email will not be sent. After checking the test email to "
                          "make sure it is correct, "
                          "click the Stop Test button to return to your original email template.");
}

QString DialogMerge::noBookMessage() {
    return QStringLiteral("Please open an address book with e-mail addresses before starting a mail merge.");
}

void DialogMerge::Form_Load() {
    m_parts.run.resetCount();
    // Each opening is a new merge: to the whole book unless the user narrows it to the selection.
    m_all->setChecked(true);
    setButtons(Buttons::Idle);
    m_numSent->setText(QStringLiteral("Emails Sent: 0"));
    m_log->clear();
    showLog(false);
    m_progress->reset();
    m_progress->setRange(0, 1);
    m_timeLeft->clear();
    const QSignalBlocker quiet(m_pace);
    m_pace->setValue(m_parts.paceSeconds());
}

void DialogMerge::setButtons(Buttons state) {
    m_test->setEnabled(state == Buttons::Idle);
    m_start->setEnabled(state == Buttons::Idle);
    m_stop->setEnabled(state == Buttons::Running);
    m_undoTest->setEnabled(state == Buttons::TestShown);
    m_selected->setEnabled(state == Buttons::Idle);
    m_all->setEnabled(state == Buttons::Idle);
    m_pace->setEnabled(state == Buttons::Idle);
    m_stopOnRefusal->setEnabled(state == Buttons::Idle);
}

void DialogMerge::showLog(bool shown) {
    m_log->setVisible(shown);
    m_hide->setVisible(shown);
    m_testLabel->setVisible(!shown);
    m_frameTest->setTitle(shown ? sentCaption() : QStringLiteral("Test"));
}

void DialogMerge::Command1_Click() {
    showLog(true);
}

void DialogMerge::onEmailSent(int total, const QString &address) {
    m_numSent->setText(QStringLiteral("Emails Sent: %1").arg(total));
    showLog(true);
    m_log->appendPlainText(address);
}

void DialogMerge::onEmailRefused(const QString &address, const QString &words) {
    showLog(true);
    m_log->appendPlainText(QStringLiteral("Not sent, the service refused %1: %2").arg(address, words));
}

void DialogMerge::onProgress(int done, int total, qint64 msLeft) {
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    const QString left = done < total ? timeText(msLeft) : QString();
    m_timeLeft->setText(left);
    m_parts.showProgress(done, total,
                         QStringLiteral("Mail merge: %1 of %2 sent").arg(done).arg(total) +
                             (left.isEmpty() ? QString() : QStringLiteral(", ") + left));
}

std::optional<MergePlan::Book> DialogMerge::prepare() {
    if (m_parts.run.isRunning())
        return std::nullopt;
    m_parts.run.setTimeLimit(std::max(m_parts.timeLimitSeconds(), 1) * 1000);
    m_parts.showCompose();
    MergePlan::Book book = m_parts.book();
    if (book.rowCount <= 0 || book.emailColumn < 0) {
        m_parts.messages.inform(noBookMessage());
        return std::nullopt;
    }
    if (!m_parts.run.captureTemplate()) {
        m_parts.messages.inform(MergeRun::failureMessage());
        return std::nullopt;
    }
    return book;
}

MergePlan::Rows DialogMerge::rangeRows(int rowCount) const {
    return MergePlan::rowsFor(m_selected->isChecked() ? MergePlan::Range::Selected : MergePlan::Range::All,
                              m_parts.selection(), rowCount);
}

std::optional<std::vector<int>> DialogMerge::confirmRows(const MergePlan::Book &book,
                                                         const QString &logName) {
    const MergeLog::State earlier = MergeJournal::readState(QDir(m_parts.logFolder).filePath(logName));
    MergeLog::Resume resume;
    if (!earlier.confirmed.empty()) {
        const Messages::Answer skip = m_parts.messages.ask(
            QStringLiteral("This message was sent to %1 addresses of this address book before. Skip the "
                           "addresses it was sent to?")
                .arg(earlier.confirmed.size()),
            Messages::Buttons::YesNoCancel, Messages::Answer::Yes);
        if (skip == Messages::Answer::Cancel)
            return std::nullopt;
        // Sending everything again includes the emails whose arrival is unknown.
        resume.skipSent = skip == Messages::Answer::Yes;
        resume.sendUnknownAgain = !resume.skipSent;
    }
    if (resume.skipSent && !earlier.unknown.empty()) {
        QStringList addresses;
        for (const MergeLog::Entry &entry : earlier.unknown)
            addresses.push_back(QStringLiteral("row %1: %2").arg(entry.row + 1).arg(entry.address));
        // Not sending twice is the default.
        resume.sendUnknownAgain =
            m_parts.messages.ask(
                QStringLiteral("The earlier run stopped while sending to:\n%1\nIt is not known "
                               "whether the service received this. Send to it again?")
                    .arg(addresses.join(u'\n')),
                Messages::Buttons::YesNo, Messages::Answer::No) == Messages::Answer::Yes;
    }
    const auto alreadySent = [&](int, const QString &address) {
        return MergeLog::skips(earlier, address, resume);
    };
    const MergePlan::Check check =
        MergePlan::check(book, rangeRows(book.rowCount), m_parts.run.message().subject,
                         m_parts.run.message().body, alreadySent);
    if (check.rowsToSend.empty()) {
        m_parts.messages.inform(MergePlan::summary(check));
        return std::nullopt;
    }
    if (m_parts.messages.ask(MergePlan::summary(check), Messages::Buttons::YesNo, Messages::Answer::Yes) !=
        Messages::Answer::Yes)
        return std::nullopt;
    return check.rowsToSend;
}

void DialogMerge::CommandStart_Click() {
    const std::optional<MergePlan::Book> book = prepare();
    if (!book)
        return;
    const MergeRun::Message message = m_parts.run.message();
    const QString logName = MergeLog::fileName(m_parts.bookPath(), message.subject, message.body);
    const std::optional<std::vector<int>> rows = confirmRows(*book, logName);
    if (!rows)
        return;

    setButtons(Buttons::Running);
    m_log->clear();
    onProgress(0, int(rows->size()), 0);
    MergeJournal journal;
    if (!journal.open(m_parts.logFolder, logName))
        m_parts.messages.inform(
            QStringLiteral(
                "The merge log cannot be written in %1. A run that is broken off cannot be resumed.")
                .arg(QDir::toNativeSeparators(m_parts.logFolder)));
    const MergeRun::Outcome outcome = m_parts.run.send(
        *book, *rows, journal.isOpen() ? &journal : nullptr, m_pace->value() * 1000,
        m_stopOnRefusal->isChecked() ? MergeLog::AfterRefusal::Stop : MergeLog::AfterRefusal::GoOn);
    journal.close();
    endRun(outcome);
}

void DialogMerge::endRun(MergeRun::Outcome outcome) {
    // The user learns at once why the service stopped the run; putting the message back may
    // then wait for the compose page, within the time limit.
    if (outcome == MergeRun::Outcome::ServiceFailed)
        m_parts.messages.inform(m_parts.run.problem());
    // The page gets the message back as it was written, fields included.
    m_parts.run.restore();
    setButtons(Buttons::Idle);
    m_timeLeft->clear();
    m_parts.showProgress(0, 0, QString());
    if (outcome == MergeRun::Outcome::Failed)
        m_parts.messages.inform(MergeRun::failureMessage());
}

void DialogMerge::CommandStop_Click() {
    if (m_parts.run.isRunning()) {
        // The running Start ends at its wait and puts the message back.
        m_parts.run.stop();
        return;
    }
    m_parts.run.restore();
    setButtons(Buttons::Idle);
}

void DialogMerge::CommandTest_Click() {
    const std::optional<MergePlan::Book> book = prepare();
    if (!book)
        return;
    const MergePlan::Check check = MergePlan::check(*book, rangeRows(book->rowCount), {}, {});
    if (check.rowsToSend.empty()) {
        m_parts.messages.inform(MergePlan::summary(check));
        return;
    }
    setButtons(Buttons::TestShown);
    if (m_parts.run.test(*book, check.rowsToSend.front()) == MergeRun::Outcome::Failed) {
        setButtons(Buttons::Idle);
        m_parts.messages.inform(MergeRun::failureMessage());
    }
}

void DialogMerge::CommandUndoTest_Click() {
    if (!m_parts.run.restore())
        m_parts.messages.inform(MergeRun::failureMessage());
    setButtons(Buttons::Idle);
}

void DialogMerge::reject() {
    // Closing during a run ends it; the run's own handler puts the message back.
    m_parts.run.stop();
    if (m_undoTest->isEnabled())
        m_parts.run.restore();
    QDialog::reject();
}

void DialogMerge::closeEvent(QCloseEvent *event) {
    m_parts.run.stop();
    QDialog::closeEvent(event);
}
