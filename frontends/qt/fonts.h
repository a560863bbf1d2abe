// The font names the windows ask for, mapped onto installed faces.
#pragma once

#include <QString>
#include <QStringList>

namespace kepa {

// The Japanese Gothic face of the dialogs and the heavy face of the splash.
inline const QString kGothicFamily = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kHeavyFamily = QStringLiteral("Arial Black");

// Of the installed families among `candidates`, the one with the heaviest face; earlier
// candidates win ties. Empty when none is installed.
[[nodiscard]] QString heaviestFamily(const QStringList& candidates);

// Maps "ＭＳ Ｐゴシック" to IPAPGothic (metric-compatible) and "Arial Black", when it is not
// installed, to the heaviest installed sans-serif face. Call once after QApplication exists.
void installFontSubstitutions();

}  // namespace kepa
