#include "webpages/compose_form.h"

#include "webpages/page_model.h"
#include "webpages/page_state.h"
#include "webpages/web_pane.h"

namespace ComposeForm {

std::optional<QString> value(WebPane &target, const QString &provider, Field field) {
    return WebServices::named(provider).composeValue(target, field);
}

bool setValue(WebPane &target, const QString &provider, Field field, const QString &value) {
    return WebServices::named(provider).setComposeValue(target, field, value);
}

void ClearComposeForm(PageState &state, const QString &service, WebPane &composePane) {
    if (state.did_insert) {
        state.did_insert = false;
        return;
    }
    state.webmail = service;
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
