#include "frontends/qt/qt_files.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>

#include "frontends/qt/save_picture.h"
#include "frontends/qt/surface_image.h"

namespace kepa {

std::string QtFiles::AppPath() {
  return QCoreApplication::applicationDirPath().toStdString();
}

std::string QtFiles::picturesPath() {
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return (pictures.isEmpty() ? QDir::homePath() : pictures).toStdString();
}

bool QtFiles::canWriteIn(const std::string& path) {
  const QFileInfo folder(QString::fromStdString(path));
  return folder.isDir() && folder.isWritable();
}

bool QtFiles::isFolder(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).isDir();
}

bool QtFiles::isLink(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).isSymLink();
}

SaveOutcome QtFiles::writeBitmap(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  return writeBitmapFile(bytes, path);
}

void QtFiles::ClipboardClear() {
  // The clear takes effect with the SetData that follows: QClipboard replaces every format at
  // once, so the clipboard is never left empty by a SetData that fails.
}

bool QtFiles::ClipboardSetData(const Surface& image) {
  if (image.empty()) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  // A deep copy: the clipboard serves it to other programs long after the picture changed.
  clipboard->setImage(imageOf(image).copy(), QClipboard::Clipboard);
  // Where the clipboard cannot be owned (another client holds the X selection fast), Qt
  // keeps no data; then nothing changed hands.
  return clipboard->ownsClipboard() || QGuiApplication::platformName() != QStringLiteral("xcb");
}

}  // namespace kepa
