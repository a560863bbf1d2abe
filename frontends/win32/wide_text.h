// The program's texts are UTF-8; Windows' own calls take UTF-16.
#pragma once

#include <string>

namespace kepa {

[[nodiscard]] std::wstring wideOf(const std::string& utf8);
[[nodiscard]] std::string utf8Of(const std::wstring& wide);

}  // namespace kepa
