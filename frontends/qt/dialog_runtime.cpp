#include "frontends/qt/dialog_runtime.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace kepa {

void prepareQtDialogs(QCoreApplication& application) {
  // The program's texts are Japanese whatever the locale, and so are Qt's around them.
  auto* japanese = new QTranslator(&application);
  if (japanese->load(QStringLiteral("qtbase_ja"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(japanese);
  }
  // QFileDialog writes its state into the user's QtProject settings whenever it closes, and
  // kepa writes nothing of its own. Its settings go to a folder that cannot be made, even by
  // root, so they are neither read nor written.
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/proc/kepa-keeps-nothing"));
    QSettings::setPath(format, QSettings::SystemScope, QStringLiteral("/proc/kepa-keeps-nothing"));
  }
}

}  // namespace kepa
