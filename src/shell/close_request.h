#pragma once

class QWidget;

// A close that comes from outside the window (a desktop logout, Ctrl+C in a terminal) while a
// dialog or message box is open: the user is not there to dismiss it.
namespace CloseRequest {

// Dismisses every open modal dialog (as its Cancel or close box would) and then closes
// `window`, so its shutdown runs now instead of after the dialogs.
void closeWithDialogs(QWidget &window);
// Whether the close that `window` is going through came from outside; nothing then asks the user.
bool isFromOutside(const QWidget &window);

} // namespace CloseRequest
