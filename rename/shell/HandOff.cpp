#include "shell/HandOff.h"

#include <cstring>

#include "base/Text.h"

namespace rn {

std::vector<std::string> SplitHandOffText(const char* data, size_t size) {
  std::vector<std::string> lines;
  if (!data || size == 0) return lines;
  const void* nul = std::memchr(data, 0, size);
  const size_t n = nul ? static_cast<size_t>(static_cast<const char*>(nul) - data) : size;
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (data[i] != '\r' && data[i] != '\n') continue;
    lines.emplace_back(data + start, i - start);
    if (data[i] == '\r' && i + 1 < n && data[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(data + start, n - start);
  return lines;
}

bool DecodeUtf8Lines(const std::vector<std::string>& lines, std::vector<std::wstring>& paths) {
  paths.clear();
  for (const auto& line : lines) {
    bool ok = true;
    std::wstring path = WideFromUtf8(line, &ok);
    if (!ok) {
      paths.clear();
      return false;
    }
    paths.push_back(std::move(path));
  }
  return true;
}

std::optional<std::vector<std::wstring>> HandOffPaths(unsigned long long kind, const void* data, size_t size) {
  if (!data || size == 0) return std::nullopt;
  const auto lines = SplitHandOffText(static_cast<const char*>(data), size);
  std::vector<std::wstring> paths;
  if (kind == kHandOffUtf8) {
    if (!DecodeUtf8Lines(lines, paths)) return std::nullopt;
    return paths;
  }
  for (const auto& line : lines) paths.push_back(WideFromAnsi(line));
  return paths;
}

}  // namespace rn
