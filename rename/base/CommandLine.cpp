#include "base/CommandLine.h"

namespace rn {

std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
  std::vector<std::wstring> args;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    while (i < n && line[i] <= L' ') ++i;
    if (i >= n) break;
    std::wstring arg;
    bool quoted = false;
    while (i < n && (quoted || line[i] > L' ')) {
      if (line[i] == L'"')
        quoted = !quoted;
      else
        arg += line[i];
      ++i;
    }
    args.push_back(arg);
  }
  return args;
}

}  // namespace rn
