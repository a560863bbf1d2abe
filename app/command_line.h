// The command line: what a start of kepa is asked to do, and what it prints when it only has
// to answer (help, version, a mistake). Plain C++, so that it runs before any display is opened.
#pragma once

#include <span>
#include <string>

namespace kepa {

enum class Language { English, Japanese };

// The language of messages: the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty decides; Japanese when it starts with "ja".
[[nodiscard]] Language messageLanguage(const char* lcAll, const char* lcMessages, const char* lang);

struct CommandLine {
  enum class Action {
    Start,    // start the tray program, or leave the running one as it is
    Capture,  // スタ－トキャプチャ－, in the running program or in a new one
    Print,    // print `text` and end with `exitStatus`, starting nothing
  };
  Action action = Action::Start;
  std::string text;
  bool toStandardError = false;
  int exitStatus = 0;
};

// `arguments` are those after the program's name. A mistake anywhere (an unknown option, an
// argument) wins over everything else; then --help, then --version.
[[nodiscard]] CommandLine parseCommandLine(std::span<const char* const> arguments,
                                           Language language);

// What a start says when the running kepa did not take its request (it then ends with status
// 1), and when it cannot look for one and so runs on its own; `reason` is the technical cause.
[[nodiscard]] std::string noAnswerText(Language language, const std::string& reason);
[[nodiscard]] std::string runningAloneText(Language language, const std::string& reason);

}  // namespace kepa
