// The command line: what each start is asked to do, and the texts of those that only answer.
#include "app/command_line.h"

#include <vector>

#include <gtest/gtest.h>

namespace kepa {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, DecidesWhatTheStartDoes) {
  const std::string usage = "Usage: kepa [--capture | --help | --version]";
  const struct {
    std::vector<const char*> arguments;
    Action action;
    int exitStatus;
    bool toStandardError;
    std::string firstLine;  // of the text printed; empty when nothing is
  } cases[] = {{{}, Action::Start, 0, false, ""},
               {{"--capture"}, Action::Capture, 0, false, ""},
               {{"--capture", "--capture"}, Action::Capture, 0, false, ""},
               {{"--capture", "--"}, Action::Capture, 0, false, ""},
               {{"--help"}, Action::Print, 0, false, usage},
               {{"-h"}, Action::Print, 0, false, usage},
               {{"--capture", "--help"}, Action::Print, 0, false, usage},
               {{"--version"}, Action::Print, 0, false, "kepa 3.0"},
               {{"--version", "--help"}, Action::Print, 0, false, usage},
               {{"--bogus"}, Action::Print, 2, true, "kepa: unknown option '--bogus'"},
               {{"-x"}, Action::Print, 2, true, "kepa: unknown option '-x'"},
               {{"--capture=1"}, Action::Print, 2, true, "kepa: unknown option '--capture=1'"},
               {{"--help", "--bogus"}, Action::Print, 2, true, "kepa: unknown option '--bogus'"},
               {{"shot.bmp"}, Action::Print, 2, true, "kepa: unexpected argument 'shot.bmp'"},
               {{"-"}, Action::Print, 2, true, "kepa: unexpected argument '-'"},
               {{"--", "--help"}, Action::Print, 2, true, "kepa: unexpected argument '--help'"}};
  for (const auto& c : cases) {
    const CommandLine command = parseCommandLine(c.arguments, Language::English);
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    EXPECT_EQ(command.action, c.action);
    EXPECT_EQ(command.exitStatus, c.exitStatus);
    EXPECT_EQ(command.toStandardError, c.toStandardError);
    EXPECT_EQ(command.text.substr(0, command.text.find('\n')), c.firstLine);
  }
}

TEST(CommandLine, AMistakeIsFollowedByTheUsageOnStandardError) {
  const CommandLine help = parseCommandLine(std::vector<const char*>{"--help"}, Language::English);
  const CommandLine mistake =
      parseCommandLine(std::vector<const char*>{"--bogus"}, Language::English);
  EXPECT_EQ(mistake.text, "kepa: unknown option '--bogus'\n" + help.text);
}

TEST(CommandLine, TextsAreJapaneseUnderAJapaneseLocale) {
  const auto first = [](const std::vector<const char*>& arguments) {
    const std::string text = parseCommandLine(arguments, Language::Japanese).text;
    return text.substr(0, text.find('\n'));
  };
  EXPECT_EQ(first({"--help"}), "使い方: kepa [--capture | --help | --version]");
  EXPECT_EQ(first({"--bogus"}), "kepa: 不明なオプションです: '--bogus'");
  EXPECT_EQ(first({"now"}), "kepa: 余分な引数です: 'now'");
  EXPECT_EQ(first({"--version"}), "kepa 3.0");
}

TEST(MessageLanguage, TheFirstSetVariableDecides) {
  using enum Language;
  const struct {
    const char *lcAll, *lcMessages, *lang;
    Language language;
  } cases[] = {{nullptr, nullptr, nullptr, English},
               {nullptr, nullptr, "ja_JP.UTF-8", Japanese},
               {nullptr, nullptr, "ja", Japanese},
               {nullptr, nullptr, "en_US.UTF-8", English},
               {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", Japanese},
               {"C", "ja_JP.UTF-8", "ja_JP.UTF-8", English},
               {"", "", "ja_JP.eucJP", Japanese},
               {"ja_JP.UTF-8", "C", "C", Japanese}};
  for (const auto& c : cases)
    EXPECT_EQ(messageLanguage(c.lcAll, c.lcMessages, c.lang), c.language) << c.lang;
}

}  // namespace
}  // namespace kepa
