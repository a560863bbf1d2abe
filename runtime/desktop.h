// Everything the windows need of the outside world, by role: the screen and the cursor, the
// icon and the windows' places, menus and dialogs, files and the clipboard, and the program's
// life. A front end gives one object of each; each window's code takes only the roles it
// uses.
#pragma once

#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/program_life.h"
#include "runtime/screen.h"
#include "runtime/shell.h"

namespace kepa {

struct Desktop {
  Screen& screen;
  Shell& shell;
  Dialogs& dialogs;
  Files& files;
  ProgramLife& life;
};

}  // namespace kepa
