#include "ui/shell/KolvexApplication.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/app/DesktopEntryText.h"
#include "core/app/DesktopUsage.h"
#include "core/catalog/AppDir.h"
#include "ui/common/AppNames.h"
#include "ui/shell/InstanceNames.h"
#include "ui/shell/InstanceServer.h"
#include "ui/shell/ShutdownSignals.h"
#include "ui/shell/Startup.h"
#include "ui/shell/TVORN_MainForm.h"

#ifndef KOLVEX_VERSION
#define KOLVEX_VERSION "unknown"
#endif

namespace kolvex {
namespace {

bool hasDisplay() {
  auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

void showStartupError(const std::string& text) {
  // The text breaks its lines with "\n\r"; a Qt label wants "\n" alone.
  QString shown = QString::fromStdString(text);
  shown.replace("\n\r", "\n");
  QMessageBox::critical(nullptr, kStartupErrorCaption, shown);
}

}  // namespace

void EndEventLoops() { QCoreApplication::exit(0); }

int RunKolvex(int argc, char** argv) {
  // The arguments as the system passed them, before Qt takes out its own options.
  const CommandLine commandLine = CommandLine::fromArgv(argc, argv);
  // Asked on a terminal: answered there, without a window or the single-instance lock.
  switch (terminalRequest(std::vector<std::string>(argv + std::min(argc, 1), argv + argc))) {
    case TerminalRequest::Usage:
      std::fputs(desktopUsage().c_str(), stdout);
      return 0;
    case TerminalRequest::Version:
      std::printf("kolvex %s\n%s", KOLVEX_VERSION, Paths().description().c_str());
      return 0;
    case TerminalRequest::None:
      break;
  }
  if (!hasDisplay()) {
    std::fprintf(stderr,
                 "kolvex: no graphical desktop here (neither $DISPLAY nor $WAYLAND_DISPLAY is "
                 "set).\nUse the command-line tool instead: %skolvex-cli --help\n",
                 Paths().programDir().c_str());
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(kApplicationTitle);
  // No display name: Qt would add it to every window title ("Kolvex 1.0 Beta — Kolvex").
  QApplication::setQuitOnLastWindowClosed(false);
  // Wayland desktops find the menu entry, and with it the icon, by this name.
  if (Paths().mode() == AppPaths::Mode::Installed) QGuiApplication::setDesktopFileName(kDesktopId);

  Startup startup(Paths(), commandLine, InstanceNames::runtimeFolder(), showStartupError);
  const Startup::Outcome outcome = startup.prepare();
  if (!startup.warning().isEmpty())
    std::fprintf(stderr, "kolvex: %s\n", qPrintable(startup.warning()));
  switch (outcome) {
    case Startup::Outcome::Refused:
      return 1;
    case Startup::Outcome::HandedOff: {
      // The window came to the front where the user can see it: nothing to say. Else
      // the user learns where it is, or why nothing came.
      const HandOff::Report said = HandOff::report(startup.handOffResult(), startup.otherDisplay());
      if (!said.text.isEmpty()) {
        std::fprintf(stderr, "kolvex: %s\n", qPrintable(said.text));
        if (said.failed)
          QMessageBox::warning(nullptr, kMessageCaption, said.text);
        else
          QMessageBox::information(nullptr, kMessageCaption, said.text);
      }
      return said.failed ? 1 : 0;
    }
    case Startup::Outcome::Primary:
      break;
  }

  // From here on a stop signal runs the ordinary shutdown, even while the window is built.
  ShutdownSignals stopSignals;
  TVORN_MainForm form(commandLine, MainFormSeams{});
  QObject::connect(&stopSignals, &ShutdownSignals::requested, &form, [&form] { form.Shutdown(); });
  // No commitDataRequest here: a session manager also sends it to save a session while
  // the user works on, and every file the program writes is whole already. When the
  // session really ends the application is told to quit, which comes to aboutToQuit.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] { form.Shutdown(); });
  if (stopSignals.received()) {
    form.Shutdown();
    return 0;
  }
  if (InstanceServer* server = startup.server())
    server->setHandlers([&form] { form.ShowMainProgram(); },
                        [&form] { form.TakeHandedOverFolder(); });
  form.show();
  const int status = QApplication::exec();
  if (InstanceServer* server = startup.server()) server->close();
  return status;
}

}  // namespace kolvex
