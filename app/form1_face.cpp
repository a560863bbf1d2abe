#include "app/form1_face.h"

#include "core/numeric.h"

namespace kepa {

Form1Face::Form1Face(float twipsPerPixel)
    : KepaMenu("KepaMenu", "ＫＥＰＡメニュ－"), twipsPerPixel_(twipsPerPixel) {
  KepaMenu.add("StartCap", "スタ－トキャプチャ－");
  KepaMenu.add("kugiri1", "-");
  KepaMenu.add("VerP", "バ－ジョン情報");
  KepaMenu.add("kugiri2", "-");
  KepaMenu.add("ExitKepa", "ＫＥＰＡＫＥＰＡの終了");
}

Point Form1Face::sizeInPixels() const {
  return {twipsToPixels(kWidthTwips, twipsPerPixel_), twipsToPixels(kHeightTwips, twipsPerPixel_)};
}

float Form1Face::widthTwips() const {
  return static_cast<float>(sizeInPixels().x) * twipsPerPixel_;
}

float Form1Face::heightTwips() const {
  return static_cast<float>(sizeInPixels().y) * twipsPerPixel_;
}

void Form1Face::placeAt(float left, float top) {
  leftTwips_ = left;
  topTwips_ = top;
  moveTo({twipsToPixels(left, twipsPerPixel_), twipsToPixels(top, twipsPerPixel_)});
}

}  // namespace kepa
