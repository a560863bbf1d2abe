#include "platform/notify_icon_data.h"

#include <cstddef>

#include <gtest/gtest.h>

namespace kepa {
namespace {

TEST(NotifyIconData, HasTheAnsiLayoutFieldByField) {
  EXPECT_EQ(sizeof(NOTIFYICONDATA), 88U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, cbSize), 0U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, hWnd), 4U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, uID), 8U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, uFlags), 12U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, uCallbackMessage), 16U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, hIcon), 20U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, szTip), 24U);
}

TEST(NotifyIconData, FixedStringsCutAndPad) {
  const auto cut = fixedString<4>("ABCDEFG");
  EXPECT_EQ(std::string(cut.data(), 4), "ABCD");
  const auto padded = fixedString<4>("A");
  EXPECT_EQ(std::string(padded.data(), 4), "A   ");
  NOTIFYICONDATA record;
  record.szTip = fixedString<64>(std::string_view("DIRUZAZU\0", 9));
  EXPECT_EQ(tipText(record), "DIRUZAZU");
  NOTIFYICONDATA noNul;
  noNul.szTip = fixedString<64>("no terminator");
  EXPECT_EQ(tipText(noNul).size(), 64U);  // a tip without NUL is the whole field
}

}  // namespace
}  // namespace kepa
