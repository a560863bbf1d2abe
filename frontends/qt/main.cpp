// kepa: a notification-area screen-capture and region-clipping tool.
#include <cstdio>
#include <cstdlib>
#include <span>

#include <QApplication>

#include "app/app.h"
#include "app/command_line.h"
#include "frontends/qt/device_pixels.h"
#include "frontends/qt/dialog_runtime.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/qt_desktop.h"
#include "frontends/qt/qt_windows.h"
#include "frontends/qt/single_instance.h"
#include "frontends/qt/termination_signals.h"

int main(int argc, char* argv[]) {
  // Help, the version and mistakes are answered before anything but the terminal is opened.
  const kepa::Language language =
      kepa::messageLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  const kepa::CommandLine command = kepa::parseCommandLine(
      std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc > 1 ? argc - 1 : 0)),
      language);
  if (command.action == kepa::CommandLine::Action::Print) {
    std::fputs(command.text.c_str(), command.toStandardError ? stderr : stdout);
    return command.exitStatus;
  }
  const bool capture = command.action == kepa::CommandLine::Action::Capture;

  // kepa is an X client on every desktop: on a Wayland session it runs under Xwayland, where
  // its windows can be placed and stacked as on X11 (the screen itself then comes through
  // the desktop's screenshot portal). Qt would otherwise pick its Wayland platform there.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  kepa::useDevicePixels();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kepa"));
  // The program has no main window: closing the splash or a dialog must not end it.
  QApplication::setQuitOnLastWindowClosed(false);

  kepa::SingleInstance instance;
  switch (instance.claim(capture ? kepa::InstanceRequest::Capture : kepa::InstanceRequest::Start)) {
    case kepa::ClaimResult::HandedOver:
      return 0;
    case kepa::ClaimResult::NoAnswer:
      std::fputs(kepa::noAnswerText(language, instance.problem()).c_str(), stderr);
      return 1;
    case kepa::ClaimResult::Unavailable:
      std::fputs(kepa::runningAloneText(language, instance.problem()).c_str(), stderr);
      break;
    case kepa::ClaimResult::Primary:
      break;
  }
  kepa::installFontSubstitutions();
  kepa::prepareQtDialogs(application);

  kepa::QtDesktop desktop;
  int status = 0;
  {
    kepa::App app(desktop, kepa::qtWindows());
    kepa::TerminationSignals terminations;
    QObject::connect(&terminations, &kepa::TerminationSignals::terminationRequested,
                     [&app] { app.form1().ExitKepa_Click(); });
    // A later start's request: a plain start leaves everything as it is.
    const QMetaObject::Connection requests = QObject::connect(
        &instance, &kepa::SingleInstance::requested, [&app](kepa::InstanceRequest request) {
          if (request == kepa::InstanceRequest::Capture) app.requestCapture();
        });
    if (capture) app.requestCapture();
    // The autostart entry sets KEPA_AUTOSTART=1: at login the panel may still be starting.
    const bool atLogin = qEnvironmentVariable("KEPA_AUTOSTART") == QLatin1String("1");
    if (app.start(atLogin ? kepa::Launch::AtLogin : kepa::Launch::ByUser)) {
      status = QApplication::exec();
    } else {
      status = app.ended() ? 0 : 1;
    }
    QObject::disconnect(requests);
  }
  // Windows unloaded from inside their own events are deleted on the next pass of the event
  // loop, which has stopped: those deletions run now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return status;
}
