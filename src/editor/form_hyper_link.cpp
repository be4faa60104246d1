#include "editor/form_hyper_link.h"

#include "base/messages.h"
#include "editor/dialog_parts.h"
#include "editor/editing_surface.h"
#include "editor/image_tag.h"
#include "editor/link_address.h"
#include "editor/link_image_parts.h"
#include "editor/tag_value.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {

// A list whose first drop-down fills it.
class BookmarkCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforeDropDown;
    void showPopup() override {
        if (beforeDropDown)
            beforeDropDown();
        QComboBox::showPopup();
    }
};

QString withAttribute(const QString &tag, const char *name, const QString &value) {
    return TagValue(tag, 1, QString::fromLatin1(name), value, TagSetValue);
}

// Further back than any document reaches: moving a range by it goes to the document's start.
constexpr int documentStart = 5000000;

} // namespace

FormHyperLink::FormHyperLink(EditingSurface &surface, Messages &messages, QWidget *parent)
    : QDialog(parent)
    , m_surface(surface)
    , m_messages(messages)
    , m_tabs(new QTabBar(this))
    , m_pages(new QStackedWidget(this))
    , m_preview(LinkImageParts::previewPane(m_pages))
    , m_address(new QLineEdit(this))
    , m_target(new QComboBox(this))
    , m_remove(new QPushButton(u"&Remove Link"_s, this)) {
    setObjectName(u"FormHyperLink"_s);
    setWindowTitle(u"Insert/Edit HyperLink"_s);
    auto *bookmark = new BookmarkCombo(this);
    bookmark->beforeDropDown = [this] { loadBookmarks(); };
    m_bookmark = bookmark;

    m_tabs->setObjectName(u"TabStrip1"_s);
    m_tabs->addTab(u"Link"_s);
    m_tabs->addTab(u"Preview"_s);
    auto *settings = new QWidget(m_pages);
    settings->setObjectName(u"Picture1"_s);
    m_preview->setObjectName(u"WebBrowser1"_s);
    m_pages->addWidget(settings);
    m_pages->addWidget(m_preview);

    auto *external = new QRadioButton(u"External URL"_s, settings);
    external->setObjectName(u"Option2"_s);
    external->setChecked(true);
    m_address->setObjectName(u"EditExtURL"_s);
    m_bookmark->setObjectName(u"ComboBookmark"_s);
    m_bookmark->setEditable(true);
    m_target->setObjectName(u"ComboTarget"_s);
    m_target->setEditable(true);
    m_target->addItems({u"_top"_s, u"_blank"_s, u"_parent"_s, u"_self"_s});
    m_target->setCurrentIndex(-1);
    m_remove->setObjectName(u"CommandRemoveLink"_s);
    m_remove->setEnabled(false);

    auto *form = new QFormLayout(settings);
    form->addRow(external);
    form->addRow(u"Target URL"_s, m_address);
    form->addRow(u"Bookmark"_s, m_bookmark);
    form->addRow(u"Window/Frame Target"_s, m_target);
    auto *hint = new QLabel(
        u"Click the Preview tab above to see a preview of the target page before inserting the link. "_s,
        settings);
    hint->setWordWrap(true);
    form->addRow(hint);

    QDialogButtonBox *buttons = DialogParts::okCancelButtons(this);
    buttons->addButton(m_remove, QDialogButtonBox::ResetRole);
    connect(m_remove, &QPushButton::clicked, this, &FormHyperLink::removeLink);
    connect(m_tabs, &QTabBar::currentChanged, this, &FormHyperLink::showTab);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttons);
    resize(520, 300);
}

bool FormHyperLink::prepare() {
    const DocElement link = findLink();
    const QString href = link.isNull() ? QString() : ImageTag::attributeText(link.outerHTML(), "HREF");
    m_linkExists = !href.isEmpty();
    m_remove->setEnabled(m_linkExists);
    if (!m_linkExists && m_surface.selectionType() != u"Control") {
        // A word chosen with the blank after it: the blank stays out of the link.
        if (m_surface.createRange().text().endsWith(u' '))
            m_surface.callBridge(u"editorMoveSelectionEnd"_s, {-1});
        if (m_surface.createRange().text().isEmpty()) {
            m_messages.inform(u"You must select some text to make into a link"_s);
            return false;
        }
    }
    const LinkAddress::Parts parts = LinkAddress::split(href);
    m_address->setText(parts.address);
    m_bookmark->setEditText(parts.bookmark);
    m_target->setEditText(link.isNull() ? QString() : ImageTag::attributeText(link.outerHTML(), "TARGET"));
    return true;
}

DocElement FormHyperLink::findLink() {
    DocElement element;
    if (m_surface.selectionType() == u"Control") {
        element = m_surface.controlElement();
    } else {
        // One character into the selection, so that a selection starting at the link's first
        // character counts as inside it.
        TextRange range = m_surface.createRange();
        range.collapse(true);
        range.move(1);
        element = range.parentElement();
    }
    for (; !element.isNull(); element = element.parentElement()) {
        if (element.tagName().compare(u"A"_s, Qt::CaseInsensitive) == 0)
            return element;
    }
    return {};
}

void FormHyperLink::loadBookmarks() {
    if (m_bookmarksLoaded)
        return;
    m_bookmarksLoaded = true;
    const QString text = m_bookmark->currentText();
    m_bookmark->clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<QVariant> html = m_surface.callBridge(u"editorDocumentHtml"_s);
    QApplication::restoreOverrideCursor();
    if (!html)
        LinkImageParts::writeDiagnostic(u"formhyperlink ComboBookmark_DropDown"_s, 1,
                                        u"The document could not be read."_s);
    else
        m_bookmark->addItems(LinkAddress::bookmarkNames(html->toString()));
    m_bookmark->setEditText(text);
}

void FormHyperLink::accept() {
    const QString address =
        LinkAddress::join({m_address->text().trimmed(), m_bookmark->currentText().trimmed()});
    const QString target = m_target->currentText().trimmed();
    if (m_linkExists) {
        // The link is rewritten in place: creating a link at a bare caret would insert a new one.
        DocElement link = findLink();
        rewrite(link, withAttribute(withAttribute(link.outerHTML(), "HREF", address), "TARGET", target));
    } else {
        m_surface.asOneStep([&] {
            m_surface.execCommand(EditingSurface::CreateLink, EditingSurface::DontPromptUser, address);
            if (DocElement link = findLink(); !target.isEmpty() && !link.isNull())
                rewrite(link, withAttribute(link.outerHTML(), "TARGET", target));
        });
    }
    QDialog::accept();
    m_surface.setFocus();
}

// Replaces the link element; the selection comes back to where it was, over the same text.
void FormHyperLink::rewrite(DocElement &link, const QString &html) {
    const qsizetype length = m_surface.createRange().text().size();
    TextRange range = m_surface.createRange();
    const int offset = -range.move(-documentStart);
    link.setOuterHTML(html);
    range = m_surface.createRange();
    range.move(-documentStart);
    range.move(offset);
    range.select();
    m_surface.callBridge(u"editorMoveSelectionEnd"_s, {int(length)});
}

void FormHyperLink::removeLink() {
    // At a bare caret the whole link goes, as the command alone would leave it.
    m_surface.callBridge(u"editorSelectEnclosing"_s, {u"a"_s});
    m_surface.execCommand(EditingSurface::Unlink);
    QDialog::accept();
    m_surface.setFocus();
}

void FormHyperLink::showTab(int index) {
    m_pages->setCurrentIndex(index);
    const QString address = m_address->text().trimmed();
    if (index == 1 && !address.isEmpty())
        m_preview->setUrl(LinkImageParts::previewUrl(address, m_surface.documentPath()));
}
