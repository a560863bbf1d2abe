#include "frontends/qt/fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace kepa {

QString heaviestFamily(const QStringList& candidates) {
  const QStringList installed = QFontDatabase::families();
  QString best;
  int bestWeight = -1;
  for (const QString& family : candidates) {
    if (!installed.contains(family, Qt::CaseInsensitive)) continue;
    for (const QString& style : QFontDatabase::styles(family)) {
      const int weight = QFontDatabase::weight(family, style);
      if (weight > bestWeight) {
        bestWeight = weight;
        best = family;
      }
    }
  }
  return best;
}

void installFontSubstitutions() {
  QFont::insertSubstitution(kGothicFamily, QStringLiteral("IPAPGothic"));
  if (QFontDatabase::families().contains(kHeavyFamily)) return;
  const QString heavy =
      heaviestFamily({QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("FreeSans"),
                      QStringLiteral("Noto Sans"), QStringLiteral("IPAPGothic")});
  if (!heavy.isEmpty()) QFont::insertSubstitution(kHeavyFamily, heavy);
}

}  // namespace kepa
