#include "editor/image_choice.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

ImageChoice::ImageChoice(const TableDialogServices &services, QWidget *parent)
    : QWidget(parent)
    , m_check(new QCheckBox(QStringLiteral("Use Background Image"), this))
    , m_path(new QLineEdit(this))
    , m_browse(new QPushButton(QStringLiteral("Browse..."), this)) {
    m_check->setObjectName(QStringLiteral("CheckUseBkImage"));
    m_path->setObjectName(QStringLiteral("EditBkImage"));
    m_browse->setObjectName(QStringLiteral("Command1"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_check);
    layout->addWidget(m_path, 1);
    layout->addWidget(m_browse);
    connect(m_browse, &QPushButton::clicked, this, [this, &services] {
        const QString path = services.pickImage(this);
        if (path.isEmpty())
            return;
        m_path->setText(path);
        m_check->setChecked(true);
    });
}

void ImageChoice::setImage(const ImageSetting &image) {
    m_check->setChecked(image.set);
    m_path->setText(image.path);
}

ImageSetting ImageChoice::image(const QString &baseUrl) const {
    const QString path = m_path->text().trimmed();
    return {m_check->isChecked() && !path.isEmpty(), TagFormat::relativeImagePath(path, baseUrl)};
}
