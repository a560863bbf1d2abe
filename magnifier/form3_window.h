// The window of Form3, the magnifier "ＺｏｏｍＵＰ". For now it only exists, hidden, with its
// visibility; the magnified view comes with the magnifier itself.
#pragma once

#include <QWidget>

namespace kepa {

class Form3Window final : public QWidget {
 public:
  Form3Window();
};

}  // namespace kepa
