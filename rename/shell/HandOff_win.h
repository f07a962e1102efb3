// The main window's side of the hand-off message (WM_COPYDATA).
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace rn {

// The paths a hand-off carries, read within cbData only; nothing when the
// message is malformed (no data, or bytes that are not UTF-8 in the UTF-8 form).
std::optional<std::vector<std::wstring>> HandOffPaths(const COPYDATASTRUCT* data);

}  // namespace rn
