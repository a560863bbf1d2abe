#include "app/command_line.h"

#include <string_view>

#include "app/version.h"

namespace kepa {

namespace {

bool startsWithJa(const char* value) {
  return std::string_view(value).starts_with("ja");
}

std::string usage(Language language) {
  if (language == Language::Japanese) {
    return "使い方: kepa [--capture | --help | --version]\n"
           "通知領域から画面を凍らせ、領域を切り取る KEPA を起動します。\n"
           "\n"
           "  （なし）     KEPA を起動します。すでに起動していれば何もしません\n"
           "  --capture    起動中の KEPA でスタ－トキャプチャ－を実行します\n"
           "               （起動していなければ起動してから実行します）\n"
           "  --help       この説明を表示して終了します\n"
           "  --version    バージョンを表示して終了します\n";
  }
  return "Usage: kepa [--capture | --help | --version]\n"
         "Starts KEPA, which freezes the screen from the notification area and clips regions.\n"
         "\n"
         "  (none)       start KEPA; when it already runs, do nothing\n"
         "  --capture    start a capture (スタ－トキャプチャ－) in the running KEPA,\n"
         "               starting KEPA first when none runs\n"
         "  --help       show this help and exit\n"
         "  --version    show the version and exit\n";
}

CommandLine mistake(std::string_view argument, bool isOption, Language language) {
  const std::string quoted = "'" + std::string(argument) + "'";
  std::string line;
  if (language == Language::Japanese) {
    line = isOption ? "kepa: 不明なオプションです: " + quoted : "kepa: 余分な引数です: " + quoted;
  } else {
    line = isOption ? "kepa: unknown option " + quoted : "kepa: unexpected argument " + quoted;
  }
  return {CommandLine::Action::Print, line + "\n" + usage(language), true, 2};
}

}  // namespace

Language messageLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value != nullptr && *value != '\0') {
      return startsWithJa(value) ? Language::Japanese : Language::English;
    }
  }
  return Language::English;
}

CommandLine parseCommandLine(std::span<const char* const> arguments, Language language) {
  bool help = false;
  bool version = false;
  bool capture = false;
  bool optionsEnded = false;
  for (const char* raw : arguments) {
    const std::string_view argument(raw);
    if (optionsEnded || argument.empty() || argument == "-" || !argument.starts_with('-')) {
      return mistake(argument, false, language);
    }
    if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument == "--capture") {
      capture = true;
    } else {
      return mistake(argument, true, language);
    }
  }
  if (help) return {CommandLine::Action::Print, usage(language), false, 0};
  if (version) {
    return {CommandLine::Action::Print, std::string("kepa ") + programVersion() + "\n", false, 0};
  }
  return {capture ? CommandLine::Action::Capture : CommandLine::Action::Start, {}, false, 0};
}

std::string noAnswerText(Language language, const std::string& reason) {
  if (language == Language::Japanese) {
    return "kepa: 起動中の KEPA が要求を受け取りません（" + reason + "）\n";
  }
  return "kepa: the running KEPA did not take the request (" + reason + ")\n";
}

std::string runningAloneText(Language language, const std::string& reason) {
  if (language == Language::Japanese) {
    return "kepa: 起動中の KEPA を探せないため、単独で起動します（" + reason + "）\n";
  }
  return "kepa: cannot look for a running KEPA, so this one runs on its own (" + reason + ")\n";
}

}  // namespace kepa
