#pragma once

#include "mailmerge/template_file.h"

#include <QDialog>

#include <functional>
#include <optional>

class Messages;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// "Email Template": writes, loads and saves templates, and exchanges subject and body with the
// service's compose page.
class DialogTemplate : public QDialog {
    Q_OBJECT
public:
    struct Parts {
        QString folder; // the templates folder
        Messages &messages;
        // The template file names the main window lists, and the index selected there (-1: none).
        QStringList names;
        int selected = -1;
        // A template saved under a new file name: the main window lists it too.
        std::function<void(const QString &fileName)> templateSaved;
        // The compose page's subject and body, read through the compose transfer; and the way in.
        std::function<std::optional<TemplateFile::Template>()> captureFromForm;
        std::function<void(const TemplateFile::Template &)> insertToForm;
        std::function<void()> showHelp;
    };
    explicit DialogTemplate(Parts parts, QWidget *parent = nullptr);

    // Loads the template file `fileName` into the fields; false (the user told why) when it
    // cannot be read, which leaves the fields as they were.
    bool loadTemplate(const QString &fileName);
    // "&Save"; false when nothing was saved (the user has been told why).
    bool OKButton_Click();
    // New template, after the offer to save.
    void Command1_Click();
    void Command3_Click();
    // Puts the template into the compose page, then closes after the offer to save.
    void Command4_Click();

    bool isChanged() const { return m_changed; }

    static QString saveQuestion();
    static QString noSubjectMessage();
    static QString noBodyMessage();

    // Closing: after the offer to save, or ending a run.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Yes saves, No goes on, Cancel stops: true when the action may go on.
    bool offerToSave();
    TemplateFile::Template fields() const;
    void setFields(const TemplateFile::Template &value);

    Parts m_parts;
    QComboBox *m_name;
    QLineEdit *m_subject;
    QPlainTextEdit *m_body;
    bool m_changed = false;
    bool m_closing = false;
};
