// kepa_icons: writes the program's icon into a hicolor icon theme folder, one PNG per size,
// for the install rules.
//
// usage: kepa_icons OUTPUT_FOLDER
#include <cstdio>

#include <QDir>
#include <QGuiApplication>

#include "frontends/qt/artwork.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  int qtArgc = 3;
  char platformOption[] = "-platform";
  char platformName[] = "offscreen";
  char* qtArgv[] = {argv[0], platformOption, platformName, nullptr};
  const QGuiApplication application(qtArgc, qtArgv);
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString folder =
        QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (!QDir().mkpath(folder) || !kepa::kepaIconImage(size).save(folder + "/kepa.png")) {
      std::fprintf(stderr, "kepa_icons: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
