// The command line: what each start is asked to do, and the texts of those that only answer.
#include "app/command_line.h"

#include <vector>

#include <gtest/gtest.h>

namespace kepa {
namespace {

using Action = CommandLine::Action;

struct Case {
  std::vector<const char*> arguments;
  Action action;
  int exitStatus;
  bool toStandardError;
  std::string firstLine;  // of the text printed; empty when nothing is
};

class CommandLineCase : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineCase, DecidesWhatTheStartDoes) {
  const Case& expected = GetParam();
  const CommandLine command = parseCommandLine(expected.arguments, Language::English);
  EXPECT_EQ(command.action, expected.action);
  EXPECT_EQ(command.exitStatus, expected.exitStatus);
  EXPECT_EQ(command.toStandardError, expected.toStandardError);
  EXPECT_EQ(command.text.substr(0, command.text.find('\n')), expected.firstLine);
}

const char* const kUsage = "Usage: kepa [--capture | --help | --version]";

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineCase,
    ::testing::Values(
        Case{{}, Action::Start, 0, false, ""}, Case{{"--capture"}, Action::Capture, 0, false, ""},
        Case{{"--capture", "--capture"}, Action::Capture, 0, false, ""},
        Case{{"--capture", "--"}, Action::Capture, 0, false, ""},
        Case{{"--help"}, Action::Print, 0, false, kUsage},
        Case{{"-h"}, Action::Print, 0, false, kUsage},
        Case{{"--capture", "--help"}, Action::Print, 0, false, kUsage},
        Case{{"--version"}, Action::Print, 0, false, "kepa 3.0"},
        Case{{"--version", "--help"}, Action::Print, 0, false, kUsage},
        Case{{"--bogus"}, Action::Print, 2, true, "kepa: unknown option '--bogus'"},
        Case{{"-x"}, Action::Print, 2, true, "kepa: unknown option '-x'"},
        Case{{"--capture=1"}, Action::Print, 2, true, "kepa: unknown option '--capture=1'"},
        Case{{"--help", "--bogus"}, Action::Print, 2, true, "kepa: unknown option '--bogus'"},
        Case{{"shot.bmp"}, Action::Print, 2, true, "kepa: unexpected argument 'shot.bmp'"},
        Case{{"-"}, Action::Print, 2, true, "kepa: unexpected argument '-'"},
        Case{{"--", "--help"}, Action::Print, 2, true, "kepa: unexpected argument '--help'"}));

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
