#include "shell/dialog_blog_footer.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QVBoxLayout>

DialogBlogFooter::DialogBlogFooter(const BlogPost::Footer &footer, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DialogBlogFooter"));
    setWindowTitle(QStringLiteral("Blog Footer"));
    auto *layout = new QVBoxLayout(this);

    m_enabled = new QCheckBox(QStringLiteral("&Add this footer to blog posts"), this);
    m_enabled->setObjectName(QStringLiteral("CheckFooter"));
    m_enabled->setChecked(footer.enabled);
    layout->addWidget(m_enabled);

    auto *fields = new QFormLayout;
    m_identifier = new QLineEdit(footer.affiliateId, this);
    m_identifier->setObjectName(QStringLiteral("TextAffID"));
    m_text = new QLineEdit(footer.affiliateText, this);
    m_text->setObjectName(QStringLiteral("TextAffText"));
    m_text->setMinimumWidth(420);
    fields->addRow(QStringLiteral("&Identifier:"), m_identifier);
    fields->addRow(QStringLiteral("Footer &text:"), m_text);
    layout->addLayout(fields);

    layout->addWidget(new QLabel(QStringLiteral("The footer as it will be appended to the post:"), this));
    m_preview = new QTextBrowser(this);
    m_preview->setObjectName(QStringLiteral("FooterPreview"));
    m_preview->setOpenLinks(false);
    m_preview->setMaximumHeight(90);
    layout->addWidget(m_preview);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (QLineEdit *edit : {m_identifier, m_text})
        connect(edit, &QLineEdit::textChanged, this, &DialogBlogFooter::updatePreview);
    connect(m_enabled, &QCheckBox::toggled, this, &DialogBlogFooter::updatePreview);
    updatePreview();
}

BlogPost::Footer DialogBlogFooter::footer() const {
    return {m_enabled->isChecked(), m_identifier->text().trimmed(), m_text->text().trimmed()};
}

void DialogBlogFooter::updatePreview() {
    BlogPost::Footer shown = footer();
    shown.enabled = true; // the preview shows the footer even while it is switched off
    const QString html = BlogPost::withFooter(QString(), shown);
    m_preview->setHtml(html.isEmpty() ? QStringLiteral("<i>No footer: it needs an identifier and a text.</i>")
                                      : html);
    m_preview->setEnabled(m_enabled->isChecked());
}
