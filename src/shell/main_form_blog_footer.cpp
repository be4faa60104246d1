// "Blog Footer...": the footer link that blog posts may carry, beside the editor's mode switches.
#include "base/settings.h"
#include "base/settings_keys.h"
#include "shell/dialog_blog_footer.h"
#include "shell/main_form.h"

#include <QHBoxLayout>
#include <QPushButton>

void MainForm::createBlogFooter() {
    auto *button = new QPushButton(QStringLiteral("Bl&og Footer..."), m_editorBar->parentWidget());
    button->setObjectName(QStringLiteral("CommandBlogFooter"));
    button->setToolTip(QStringLiteral("The footer link appended to blog posts"));
    m_editorBar->addWidget(button);
    connect(button, &QPushButton::clicked, this, &MainForm::showBlogFooterDialog);
}

void MainForm::showBlogFooterDialog() {
    DialogBlogFooter dialog({m_doAffiliate, m_startup.affiliateId, m_startup.affiliateText}, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    applyBlogFooter(dialog.footer());
}

void MainForm::applyBlogFooter(const BlogPost::Footer &footer) {
    // The switch holds for this run; the identifier and text are kept at once, as at exit.
    m_doAffiliate = footer.enabled;
    m_startup.affiliateId = footer.affiliateId;
    m_startup.affiliateText = footer.affiliateText;
    m_settings.set(Keys::AffId, footer.affiliateId);
    m_settings.set(Keys::AffText, footer.affiliateText);
}
