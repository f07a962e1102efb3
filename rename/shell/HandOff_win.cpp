#include "shell/HandOff_win.h"

#include "core/MainForm_win.h"
#include "shell/HandOff.h"

namespace rn {

std::optional<std::vector<std::wstring>> HandOffPaths(const COPYDATASTRUCT* data) {
  if (!data || !data->lpData || data->cbData == 0) return std::nullopt;
  const auto lines = SplitHandOffText(static_cast<const char*>(data->lpData), data->cbData);
  std::vector<std::wstring> paths;
  if (data->dwData == kHandOffUtf8) {
    if (!DecodeUtf8Lines(lines, paths)) return std::nullopt;
    return paths;
  }
  for (const auto& line : lines) {
    std::wstring path;
    if (!line.empty()) {
      const int n = MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
      path.resize(static_cast<size_t>(n > 0 ? n : 0));
      if (n > 0) MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), path.data(), n);
    }
    paths.push_back(std::move(path));
  }
  return paths;
}

LRESULT TMorvaneFrm1::WMCopyData(const COPYDATASTRUCT* data) {
  auto paths = HandOffPaths(data);
  if (!paths || paths->empty()) return 0;
  // Accepted: added now, or after the addition in progress ends.
  RunBatch(BatchSource::HandOff, std::move(*paths));
  return kHandOffAccepted;
}

}  // namespace rn
