#include "frontends/qt/save_picture.h"

#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kepa {

namespace {

SaveOutcome failed(const std::string& reason) {
  return {false, reason};
}

template <typename File>
bool writeAll(File& file, const std::vector<std::uint8_t>& bytes) {
  return file.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

}  // namespace

SaveOutcome writeBitmapFile(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  const QString name = QString::fromStdString(path);
  const QFileInfo target(name);

  if (target.exists() && !target.isFile()) {
    // A device or a pipe cannot be replaced by renaming: it is written to as it is.
    QFile device(name);
    if (!device.open(QIODevice::WriteOnly)) {
      return failed("開けません（" + device.errorString().toStdString() + "）。");
    }
    if (!writeAll(device, bytes) || !device.flush()) {
      return failed("書き込めません（" + device.errorString().toStdString() + "）。");
    }
    return {true, {}};
  }

  QSaveFile file(name);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    return failed("作成できません（" + file.errorString().toStdString() + "）。");
  }
  if (!writeAll(file, bytes)) {
    const std::string reason = file.errorString().toStdString();
    file.cancelWriting();
    return failed("書き込めません（" + reason + "）。");
  }
  if (!file.commit()) return failed("書き込めません（" + file.errorString().toStdString() + "）。");
  return {true, {}};
}

}  // namespace kepa
