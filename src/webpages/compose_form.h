#pragma once

#include "webpages/services/web_service.h"

#include <QString>

#include <optional>

class WebPane;
struct PageState;

// The fields of the web-mail compose form in whichever pane shows it (the compose target),
// named by their role; each service reads and writes them its own way (WebService).
namespace ComposeForm {

using Field = WebService::ComposeField;

// `provider` is the service's name (PageState::webmail).
std::optional<QString> value(WebPane &target, const QString &provider, Field field);
bool setValue(WebPane &target, const QString &provider, Field field, const QString &value);

// Run each time the Compose tab is shown. A page that reply or forward has just filled
// (`did_insert`) is left alone once; otherwise `service` (that of the inbox pane's page) becomes
// the page state's, and the compose pane's fields are emptied in the order To, Subject, Cc, Bcc,
// Body, stopping at the first field that is missing. Yahoo's rich-text area is emptied too.
void ClearComposeForm(PageState &state, const QString &service, WebPane &composePane);

} // namespace ComposeForm
