// What arrives from outside the program before anything checks it: hand-off
// bytes, command lines and filter texts. Nothing may read outside its input,
// and the splits must give back exactly what they were given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/CommandLine.h"
#include "base/Text.h"
#include "filelist/TypeFilter.h"
#include "shell/HandOff.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  // The hand-off: lines never hold a break or a null byte, and their bytes add
  // up to no more than the input.
  const auto lines = rn::SplitHandOffText(text, size);
  size_t total = 0;
  for (const auto& line : lines) {
    if (line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) std::abort();
    total += line.size();
  }
  if (total > size) std::abort();
  std::vector<std::wstring> paths;
  if (rn::DecodeUtf8Lines(lines, paths) && paths.size() != lines.size()) std::abort();

  // The same bytes as a command line and as a filter with an extension to test.
  const std::wstring wide = rn::WideFromCp1252(std::string(text, size));
  for (const auto& arg : rn::SplitCommandLine(wide))
    if (arg.find(L'"') != std::wstring::npos) std::abort();
  const size_t cut = wide.size() / 2;
  const std::wstring filter = wide.substr(0, cut), ext = wide.substr(cut);
  rn::PassesTypeFilter(filter, ext);
  const std::wstring normal = rn::NormalizeFilterText(filter);
  if (!normal.empty() && normal[0] != L'*') std::abort();
  rn::OccursInMaskList({filter, ext}, normal);
  return 0;
}
