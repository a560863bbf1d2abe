#include "frontends/qt/save_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace kepa {

QString nameFilter(const std::string& description, const std::string& pattern) {
  QString patterns;
  for (const QString& one : QString::fromStdString(pattern).split(';', Qt::SkipEmptyParts)) {
    QString anyCase;
    if (one.trimmed() == QStringLiteral("*.*")) {
      anyCase = QStringLiteral("*");
    } else {
      for (const QChar c : one.trimmed()) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
          anyCase += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        } else {
          anyCase += c;
        }
      }
    }
    if (!patterns.isEmpty()) patterns += QLatin1Char(' ');
    patterns += anyCase;
  }
  return QString::fromStdString(description) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

std::optional<std::string> runSaveDialog(const SaveDialogRequest& request,
                                         const std::function<void(QWidget& dialog)>& makeModal) {
  QFileDialog dialog(nullptr, QStringLiteral("名前を付けて保存"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                    QFileDialog::DontConfirmOverwrite);
  QStringList filters;
  for (const auto& [description, pattern] : request.filters)
    filters << nameFilter(description, pattern);
  dialog.setNameFilters(filters);
  dialog.setDirectory(QString::fromStdString(request.directory));
  dialog.selectFile(QString::fromStdString(request.fileName));
  makeModal(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace kepa
