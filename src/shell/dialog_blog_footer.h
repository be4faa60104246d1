#pragma once

#include "webpages/blog_post.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTextBrowser;

// "Blog Footer...": whether blog posts get the small-print footer link, with its identifier and
// text, and a preview of the footer exactly as the post transfer appends it.
class DialogBlogFooter : public QDialog {
    Q_OBJECT
public:
    DialogBlogFooter(const BlogPost::Footer &footer, QWidget *parent);

    BlogPost::Footer footer() const;

private:
    void updatePreview();

    QCheckBox *m_enabled = nullptr;
    QLineEdit *m_identifier = nullptr;
    QLineEdit *m_text = nullptr;
    QTextBrowser *m_preview = nullptr;
};
