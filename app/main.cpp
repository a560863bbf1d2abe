// kepa: a notification-area screen-capture and region-clipping tool.
#include <QApplication>

#include "app/app.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/dialog_runtime.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/termination_signals.h"

int main(int argc, char* argv[]) {
  kepa::useDevicePixels();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kepa"));
  // The program has no main window: closing the splash or a dialog must not end it.
  QApplication::setQuitOnLastWindowClosed(false);
  kepa::installFontSubstitutions();
  kepa::prepareQtDialogs(application);

  kepa::QtDesktop desktop;
  kepa::App app(desktop);
  kepa::TerminationSignals terminations;
  QObject::connect(&terminations, &kepa::TerminationSignals::terminationRequested,
                   [&app] { app.form1().ExitKepa_Click(); });
  // The autostart entry sets KEPA_AUTOSTART=1: at login the panel may still be starting.
  const bool atLogin = qEnvironmentVariable("KEPA_AUTOSTART") == QLatin1String("1");
  if (!app.start(atLogin ? kepa::Launch::AtLogin : kepa::Launch::ByUser))
    return app.ended() ? 0 : 1;
  return QApplication::exec();
}
