// The Desktop on Qt: one object of each role, which the program's code is handed.
#pragma once

#include "frontends/qt/qt_dialogs.h"
#include "frontends/qt/qt_files.h"
#include "frontends/qt/qt_program_life.h"
#include "frontends/qt/qt_screen.h"
#include "frontends/qt/qt_shell.h"
#include "runtime/desktop.h"

namespace kepa {

class QtDesktop {
 public:
  QtDesktop() = default;
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;

  operator Desktop() { return {screen, shell, dialogs, files, life}; }  // NOLINT: implicit

  QtProgramLife life;
  QtScreen screen;
  QtShell shell{life};
  QtDialogs dialogs{life, shell, screen};
  QtFiles files;
};

}  // namespace kepa
