#include "clip/clip_menu.h"

namespace kepa {

void buildClipMenu(Menu& menu) {
  menu.add("SavePic", "名前を付けて保存");
  menu.add("kugiri1", "-");
  menu.add("SaveClip", "クリップボ－ド格納");
  menu.add("kugiri2", "-");
  MenuItem& colours = menu.add("GOption", "領域カラ－オプション");
  colours.add("RGBch", "レッドスケ－ル変換", 1);
  colours.add("RGBch", "グリ－ンスケ－ル変換", 2);
  colours.add("RGBch", "ブル－スケ－ル変換", 3);
  colours.add("Nega", "ネガポジ反転");
  colours.add("Gray", "グレ－スケ－ル変換");
  colours.add("Sepia", "セピア変換");
  menu.add("kugiri3", "-");
  MenuItem& effects = menu.add("Efect", "領域エフェクト");
  MenuItem& mosaic = effects.add("Moza", "モザイク");
  mosaic.add("Mozalv", "レベル３", 3);
  mosaic.add("Mozalv", "レベル５", 5);
  mosaic.add("Mozalv", "レベル９", 9);
  mosaic.add("Mozalv", "レベル１１", 11);
  effects.add("hatena", "お楽しみ1", 1);
  effects.add("hatena", "お楽しみ2", 2);
  menu.add("kugiri4", "-");
  menu.add("GZoom", "虫眼鏡");
  menu.add("kugiri5", "-");
  menu.add("hyouji", "変更後の画像表示");
  menu.add("kugiri6", "-");
  menu.add("BackPi", "元に戻す");
  menu.add("kugiri7", "-");
  menu.add("EndClip", "クリッピング終了");
}

}  // namespace kepa
