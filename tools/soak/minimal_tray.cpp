// The smallest Qt 6 tray program: an icon and a tooltip, nothing else. kepa_soak measures its
// memory as the yardstick for kepa's own at rest.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::darkBlue);
  QSystemTrayIcon icon{QIcon(pixmap)};
  icon.setToolTip(QStringLiteral("minimal"));
  icon.show();
  return QApplication::exec();
}
