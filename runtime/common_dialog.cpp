#include "runtime/common_dialog.h"

namespace kepa {

std::vector<std::pair<std::string, std::string>> filterPairs(const std::string& filter) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= filter.size()) {
    const std::size_t bar = filter.find('|', start);
    parts.push_back(
        filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
    pairs.emplace_back(parts[i], parts[i + 1]);
  return pairs;
}

std::int32_t CommonDialog::ShowSave(Dialogs& dialogs) {
  const std::optional<std::string> chosen =
      dialogs.showSaveDialog({filterPairs(Filter), InitDir, FileName, Flags, owner});
  if (!chosen) return CancelError ? cdlCancel : 0;
  FileName = *chosen;
  return 0;
}

}  // namespace kepa
