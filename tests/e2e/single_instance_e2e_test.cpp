// One kepa per session, reached from the command line: a second start hands its request to
// the running program, on the session bus or, without one, on the local socket.
#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using testing::CaptureOnDesktop;

class OneKepa : public CaptureOnDesktop,
                public ::testing::WithParamInterface<XSession::SessionBus> {
 protected:
  OneKepa() : CaptureOnDesktop({}, {1024, 768}, GetParam()) {}

  bool iconsSettleAtOne() {
    return waitUntil([&] { return session.trayIcons().size() == 1; }, seconds(20)) &&
           !waitUntil([&] { return session.trayIcons().size() != 1; }, milliseconds(1500));
  }
};

TEST_P(OneKepa, CaptureFromTheCommandLineFreezesTheScreenInTheRunningKepa) {
  ASSERT_TRUE(kepa.trayIcon().has_value());
  session.xdotool("mousemove 512 760");
  expectFrozenPattern([&] { return kepa.captureFromCommandLine(); });
  // The frozen screen is the running program's (windows() are those of its process).
  EXPECT_TRUE(kepa.clippingWindow().has_value());
  EXPECT_TRUE(iconsSettleAtOne());
}

TEST_P(OneKepa, AStartAfterTheRunningOneWasKilledDocksAndASecondStartHandsOver) {
  ASSERT_TRUE(kepa.trayIcon().has_value());
  kepa.process().signal(SIGKILL);
  ASSERT_EQ(kepa.process().waitFor(seconds(10)), 128 + SIGKILL);
  if (GetParam() == XSession::SessionBus::None) {
    // The killed one could not take its socket away.
    EXPECT_TRUE(std::filesystem::exists(session.directory() + "/runtime/kepa/socket"));
  }
  kepa.start();
  ASSERT_TRUE(kepa.trayIcon().has_value());
  // The next start finds it and ends with status 0; one icon, and no new window.
  EXPECT_EQ(kepa.runAgain({}), 0);
  EXPECT_TRUE(kepa.process().running());
  EXPECT_TRUE(iconsSettleAtOne());
  EXPECT_EQ(kepa.windows().size(), 1U);
}

TEST_P(OneKepa, TwoStartsAtTheSameMomentGiveOneIcon) {
  ASSERT_TRUE(kepa.trayIcon().has_value());
  kepa.process().stop();
  ASSERT_TRUE(waitUntil([&] { return session.trayIcons().empty(); }, seconds(10)));
  Process first({KEPA_BINARY}, session.environment(), session.directory() + "/first.log");
  Process second({KEPA_BINARY}, session.environment(), session.directory() + "/second.log");
  // One hands over to the other and ends; the other docks and stays.
  ASSERT_TRUE(waitUntil([&] { return !first.running() || !second.running(); }, seconds(20)));
  Process& ended = first.running() ? second : first;
  Process& stays = first.running() ? first : second;
  EXPECT_EQ(ended.waitFor(seconds(1)), 0);
  EXPECT_TRUE(iconsSettleAtOne());
  EXPECT_TRUE(stays.running());
}

INSTANTIATE_TEST_SUITE_P(SessionBusOrSocket, OneKepa,
                         ::testing::Values(XSession::SessionBus::Private,
                                           XSession::SessionBus::None),
                         [](const auto& info) {
                           return info.param == XSession::SessionBus::None ? "WithoutBus"
                                                                           : "OnTheBus";
                         });

using CommandLineCapture = CaptureOnDesktop;

TEST_F(CommandLineCapture, WithNoneRunningStartsKepaThatFreezesTheScreenAtOnce) {
  session.xdotool("mousemove 512 760");
  expectFrozenPattern([&] {
    kepa.start({"--capture"});  // the fixture's own is stopped first
    return waitUntil([&] { return kepa.clippingWindow().has_value(); }, seconds(20));
  });
  EXPECT_TRUE(kepa.trayIcon().has_value());
}

// Help, the version and mistakes are answered without a display: with none to connect to,
// any attempt to open a window would end the program with a Qt error instead.
TEST(CommandLineAnswer, PrintsAndEndsWithoutADisplay) {
  // The status and what standard output and error start with (empty: nothing at all).
  const struct {
    std::vector<std::string> command;
    const char* language;
    int status;
    std::string output, error;
  } answers[] = {{{KEPA_BINARY, "--version"}, "C.UTF-8", 0, "kepa 3.0\n", ""},
                 {{KEPA_BINARY, "--capture", "now"},
                  "ja_JP.UTF-8",
                  2,
                  "",
                  "kepa: 余分な引数です: 'now'\n使い方: kepa"}};
  const auto start = [](const std::string& text, const std::string& expected) {
    return expected.empty() ? text : text.substr(0, expected.size());
  };
  const std::string out = ::testing::TempDir() + "/answer.out";
  const std::string err = ::testing::TempDir() + "/answer.err";
  for (const auto& answer : answers) {
    Process kepa(answer.command,
                 {{"DISPLAY", ""},
                  {"WAYLAND_DISPLAY", ""},
                  {"QT_QPA_PLATFORM", "xcb"},
                  {"LC_ALL", ""},
                  {"LC_MESSAGES", ""},
                  {"LANG", answer.language}},
                 out, err);
    EXPECT_EQ(kepa.waitFor(seconds(10)), answer.status) << answer.command[1];
    EXPECT_EQ(start(readFile(out), answer.output), answer.output);
    EXPECT_EQ(start(readFile(err), answer.error), answer.error);
  }
}

}  // namespace
}  // namespace kepa::xdriver
