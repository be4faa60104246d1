#pragma once

class ComposeTransfer;
class QFrame;
class QWidget;

// The panel shown over the window while a transfer waits for its compose page, with the
// Cancel button that ends the wait.
QFrame *createComposeWaitPanel(QWidget &window, ComposeTransfer &transfer);
