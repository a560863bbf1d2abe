// The program's own pictures for Qt: the splash artwork and the windows' icons.
#pragma once

#include <QIcon>
#include <QImage>

namespace kepa {

// The 161 x 161 picture at the splash's top-left corner (24-bit colour).
[[nodiscard]] QImage splashArtwork();

// The 16 x 16 icon of the tray window and the magnifier (kepaIcon's pixels).
[[nodiscard]] QIcon kepaWindowIcon();

// The program's icon at `size` x `size` pixels for menus and launchers: at 16 the 16-colour
// icon above, larger sizes drawn afresh with a lens and strokes of their scale.
[[nodiscard]] QImage kepaIconImage(int size);

// The 16 x 16 icon of the custom settings dialog: three bars in red, green and blue.
[[nodiscard]] QIcon settingsIcon();

}  // namespace kepa
