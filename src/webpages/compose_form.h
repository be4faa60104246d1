#pragma once

#include <QString>

#include <optional>

class WebPane;
struct PageState;

// The fields of the web-mail compose form in whichever pane shows it (the compose target),
// named by their role; the form and field names per provider come from PageModel.
namespace ComposeForm {

enum class Field { To, Cc, Bcc, Subject, Body };

QString fieldName(const QString &provider, Field field);

std::optional<QString> value(WebPane &target, const QString &provider, Field field);
bool setValue(WebPane &target, const QString &provider, Field field, const QString &value);

// Run each time the Compose tab is shown. A page that reply or forward has just filled
// (`did_insert`) is left alone once; otherwise the provider is taken from the inbox pane and
// the compose pane's fields are emptied in the order To, Subject, Cc, Bcc, Body, stopping at
// the first field that is missing. Yahoo's rich-text area is emptied too.
void ClearComposeForm(PageState &state, const WebPane &inboxPane, WebPane &composePane);

} // namespace ComposeForm
