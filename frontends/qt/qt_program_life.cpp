#include "frontends/qt/qt_program_life.h"

#include <QCoreApplication>
#include <QThread>

namespace kepa {

void QtProgramLife::DoEvents() {
  QCoreApplication::processEvents();
}

void QtProgramLife::pause(std::chrono::milliseconds time) {
  QThread::msleep(static_cast<unsigned long>(time.count()));
}

void QtProgramLife::endProgram(int exitCode) {
  ending_ = true;
  QCoreApplication::exit(exitCode);
}

}  // namespace kepa
