// The form runtime on the fake front end: popup menus and the common dialog.
#include <gtest/gtest.h>

#include "platform/common_dialog.h"
#include "platform/fake/fake_desktop.h"

namespace kepa {
namespace {

TEST(PopupMenu, RunsTheChosenItemAfterTheMenuClosesAndNeverADisabledOne) {
  FakeDesktop desktop;
  Menu menu("ClipMenu", "menu");
  std::vector<std::string> clicked;
  menu.add("A", "a").onClick([&] { clicked.emplace_back("A"); });
  MenuItem& sub = menu.add("Sub", "sub");
  sub.add("B", "b", 3).onClick([&] { clicked.emplace_back("B3"); });
  menu.add("C", "c").onClick([&] { clicked.emplace_back("C"); });
  menu.find("C").enabled = false;
  desktop.menuChoices = {"A", "B", "C", ""};
  for (int i = 0; i < 4; ++i)
    desktop.PopupMenu(menu);
  EXPECT_EQ(clicked, (std::vector<std::string>{"A", "B3"}));
  sub.enabled = false;  // a disabled submenu hides its items from the user
  desktop.menuChoices = {"B"};
  desktop.PopupMenu(menu);
  EXPECT_EQ(clicked.size(), 2U);
  EXPECT_EQ(&menu.find("B", 3), &sub.find("B", 3));
  EXPECT_THROW((void)menu.find("B"), std::out_of_range);
  ASSERT_EQ(desktop.popups.size(), 5U);
  EXPECT_FALSE(desktop.popups[0].items[2].enabled);
  EXPECT_EQ(desktop.popups[0].items[1].items[0].index, 3);
}

TEST(CommonDialog, FileTypesComeInPairsAndACancelErrsOnlyWhenAskedTo) {
  EXPECT_EQ(filterPairs("BMP ﾌｧｲﾙ|*.BMP|すべてのﾌｧｲﾙ|*.*"),
            (std::vector<std::pair<std::string, std::string>>{{"BMP ﾌｧｲﾙ", "*.BMP"},
                                                              {"すべてのﾌｧｲﾙ", "*.*"}}));
  EXPECT_TRUE(filterPairs("only a description").empty());
  EXPECT_TRUE(filterPairs("").empty());

  FakeDesktop desktop;
  CommonDialog dialog;
  dialog.FileName = "RozAze.bmp";
  EXPECT_EQ(dialog.ShowSave(desktop), 0);  // cancelled, but no error asked for
  dialog.CancelError = true;
  EXPECT_EQ(dialog.ShowSave(desktop), 32755);  // cdlCancel
  EXPECT_EQ(dialog.FileName, "RozAze.bmp");
  desktop.saveAnswers.push_back("/tmp/chosen");
  EXPECT_EQ(dialog.ShowSave(desktop), 0);
  EXPECT_EQ(dialog.FileName, "/tmp/chosen");
}

}  // namespace
}  // namespace kepa
