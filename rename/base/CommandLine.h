// Splitting the program's command line into parameters.
#pragma once
#include <string>
#include <vector>

namespace rn {

// Blanks separate parameters; double quotes group blanks into one and are removed.
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

}  // namespace rn
