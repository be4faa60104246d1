#pragma once

class QWidget;

// SIGTERM and SIGINT close the main window as its close box does, so a desktop logout or
// Ctrl+C in a terminal still runs the shutdown and writes the settings; the program then quits,
// and the process ends within two seconds of the signal whatever is still pending.
namespace TerminationSignals {

// Catches the signals from now on; call first thing in main(). A signal that comes before
// the window exists waits for it.
void catchSignals();
// From now on (and for a signal already caught) the window is closed.
void closeOnSignal(QWidget &window);

} // namespace TerminationSignals
