#include "webpages/compose_form.h"

#include "webpages/page_model.h"
#include "webpages/page_state.h"
#include "webpages/web_pane.h"

namespace ComposeForm {

QString fieldName(const QString &provider, Field field) {
    const PageModel::ComposeForm &form = PageModel::composeForm(provider);
    switch (field) {
    case Field::To:
        return form.to;
    case Field::Cc:
        return form.cc;
    case Field::Bcc:
        return form.bcc;
    case Field::Subject:
        return form.subject;
    case Field::Body:
        break;
    }
    return form.body;
}

std::optional<QString> value(WebPane &target, const QString &provider, Field field) {
    return target.formFieldValue(PageModel::composeForm(provider).form, fieldName(provider, field));
}

bool setValue(WebPane &target, const QString &provider, Field field, const QString &value) {
    return target.setFormFieldValue(PageModel::composeForm(provider).form, fieldName(provider, field), value);
}

void ClearComposeForm(PageState &state, const WebPane &inboxPane, WebPane &composePane) {
    if (state.did_insert) {
        state.did_insert = false;
        return;
    }
    state.webmail = PageModel::DetectProvider(inboxPane.locationUrl());
    for (const Field field : {Field::To, Field::Subject, Field::Cc, Field::Bcc, Field::Body}) {
        if (!setValue(composePane, state.webmail, field, QString()))
            return;
    }
    if (state.webmail != PageModel::yahoo)
        return;
    if (!composePane.setElementHtml(PageModel::yahooRichTextElement, QString()))
        composePane.setFormFieldValue(PageModel::composeForm(state.webmail).plainForm,
                                      PageModel::yahooRichTextField, QString());
    // Hidden and shown again, so the page is drawn anew with its emptied fields.
    composePane.setVisible(false);
    composePane.setVisible(true);
}

} // namespace ComposeForm
