// The command line's two modes run by the main window (core/MainForm_win.h):
// pairs of old path and new name renamed at once, and "-sendto" paths added.
#pragma once
#include <string>

namespace rn {

// "Error while renaming  'old'  to  'new' " for the two last components.
std::wstring PairErrorText(const std::wstring& oldName, const std::wstring& newName);

}  // namespace rn
