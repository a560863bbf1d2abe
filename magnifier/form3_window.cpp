#include "magnifier/form3_window.h"

namespace kepa {

Form3Window::Form3Window() : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("ＺｏｏｍＵＰ"));
}

}  // namespace kepa
