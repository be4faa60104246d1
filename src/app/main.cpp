#include "shell/box_messages.h"
#include "shell/main_form.h"
#include "shell/settings.h"
#include "termination_signals.h"

#include <QApplication>
#include <QCommandLineParser>

#include <unistd.h>

int main(int argc, char **argv) {
  TerminationSignals::catchSignals();
  // Chromium's sandbox cannot run as root; an administrator's session still
  // gets its panes.
  if (geteuid() == 0)
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Corvalis"));
  QApplication::setApplicationDisplayName(QStringLiteral("Corvalis"));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Corvalis: a desktop companion for web mail"));
  parser.addHelpOption();
  parser.addOption({QStringLiteral("settings"),
                    QStringLiteral("Use FILE as the settings file."),
                    QStringLiteral("FILE")});
  parser.addOption({QStringLiteral("no-splash"),
                    QStringLiteral("Start without the splash window.")});
  parser.addOption(
      {QStringLiteral("quit-after-start"),
       QStringLiteral(
           "Close normally as soon as the welcome page has loaded.")});
  parser.process(app);

  Settings settings(Settings::locate(app.arguments()));
  MainForm::Options options;
  options.showSplash = !parser.isSet(QStringLiteral("no-splash"));
  options.quitAfterStart = parser.isSet(QStringLiteral("quit-after-start"));

  BoxMessages messages(nullptr);
  MainForm window(settings, messages, options);
  messages.setParentWidget(&window);
  TerminationSignals::closeOnSignal(window);
  window.Form_Load();
  return app.exec();
}
