#pragma once

#include "mailmerge/merge_plan.h"
#include "mailmerge/merge_run.h"

#include <QDialog>

#include <functional>

class Messages;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "Mail Merge": a window above all others that sends the message written in the compose page to
// every address of the open book (or the selected ones), tests it on the first address, stops a
// run, and lists where it has sent.
class DialogMerge : public QDialog {
    Q_OBJECT
public:
    struct Parts {
        MergeRun &run;
        Messages &messages;
        std::function<void()> showCompose; // selects the Compose tab unless it is selected
        std::function<MergePlan::Book()> book;
        std::function<std::pair<int, int>()> selection; // the grid's selected rows, {-1, -1}: none
        std::function<QString()> bookPath;
        QString logFolder; // where the merge logs are kept
        std::function<void()> showHelp;
        // The run's progress for the main window's status bar; total 0 when the run has ended.
        std::function<void(int done, int total, const QString &text)> showProgress;
        std::function<int()> paceSeconds;
        std::function<void(int)> setPaceSeconds;
        // How long any one wait of a run may last (for the page, for the service's answer).
        std::function<int()> timeLimitSeconds;
    };
    explicit DialogMerge(Parts parts, QWidget *parent = nullptr);

    // Opening: the flags cleared, the buttons for an idle dialog, the counter at zero.
    void Form_Load();

    void CommandStart_Click();
    void CommandStop_Click();
    void CommandTest_Click();
    void CommandUndoTest_Click();
    void Command1_Click();

    static QString testText();
    static QString noBookMessage();

    // Closing: after the offer to save, or ending a run.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Buttons { Idle, Running, TestShown };
    void setButtons(Buttons state);
    void showLog(bool shown);
    void onEmailSent(int total, const QString &address);
    void onEmailRefused(const QString &address, const QString &words);
    void onProgress(int done, int total, qint64 msLeft);
    void endRun(MergeRun::Outcome outcome);
    // The rows to send to, after the user has seen the check and the resume question; empty
    // when the user went back.
    std::optional<std::vector<int>> confirmRows(const MergePlan::Book &book, const QString &logName);
    // The open book, once the page's message is captured; nothing (the user told why) when a
    // run cannot start.
    std::optional<MergePlan::Book> prepare();
    MergePlan::Rows rangeRows(int rowCount) const;

    Parts m_parts;
    QRadioButton *m_selected;
    QRadioButton *m_all;
    QPushButton *m_start;
    QPushButton *m_stop;
    QPushButton *m_test;
    QPushButton *m_undoTest;
    QPushButton *m_hide;
    QLabel *m_numSent;
    QLabel *m_testLabel;
    QGroupBox *m_frameTest;
    QPlainTextEdit *m_log;
    QProgressBar *m_progress;
    QLabel *m_timeLeft;
    QSpinBox *m_pace;
    QCheckBox *m_stopOnRefusal;
};
