// The program's life: its events, a pause between them, and its end.
#pragma once

#include <chrono>

namespace kepa {

class ProgramLife {
 public:
  ProgramLife() = default;
  ProgramLife(const ProgramLife&) = delete;
  ProgramLife& operator=(const ProgramLife&) = delete;
  virtual ~ProgramLife() = default;

  // Runs the pending events once.
  virtual void DoEvents() = 0;
  // Waits `time` without running any event.
  virtual void pause(std::chrono::milliseconds time) = 0;
  // Ends the program with exitCode once the running handler returns; no further events run.
  virtual void endProgram(int exitCode) = 0;
  // True once endProgram was called: a handler that waited in a dialog or a menu while the
  // program was ended goes no further.
  [[nodiscard]] virtual bool ending() const = 0;
};

}  // namespace kepa
