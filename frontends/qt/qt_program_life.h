// The program's life on Qt: its event loop and its end.
#pragma once

#include "runtime/program_life.h"

namespace kepa {

class QtProgramLife final : public ProgramLife {
 public:
  void DoEvents() override;
  void pause(std::chrono::milliseconds time) override;
  void endProgram(int exitCode) override;
  [[nodiscard]] bool ending() const override { return ending_; }

 private:
  bool ending_ = false;
};

}  // namespace kepa
