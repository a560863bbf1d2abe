#include "app/form1_face.h"

namespace kepa {

Form1Face::Form1Face() : KepaMenu("KepaMenu", "ＫＥＰＡメニュ－") {
  KepaMenu.add("StartCap", "スタ－トキャプチャ－");
  KepaMenu.add("kugiri1", "-");
  KepaMenu.add("VerP", "バ－ジョン情報");
  KepaMenu.add("kugiri2", "-");
  KepaMenu.add("ExitKepa", "ＫＥＰＡＫＥＰＡの終了");
}

}  // namespace kepa
