// The hand-off message between the context-menu extension (sender) and the
// main window (receiver): WM_COPYDATA whose data is a text of full paths, each
// followed by CR LF, then one null byte. Both sides include this header, and
// the extension includes nothing else of the program.
#pragma once
#include <string>
#include <vector>

namespace rn {

// The class of the context-menu handler, as the registration script names it.
inline constexpr wchar_t kExtensionClassId[] = L"{6E0F3A2C-9B41-4C7D-A5E8-3D27C1B94F60}";

// The receiver's reply when it took the list.
inline constexpr long kHandOffAccepted = 2008;
// COPYDATASTRUCT.dwData: the text's encoding. Any value but kHandOffUtf8 is
// read in the ANSI code page; the extension always sends UTF-8.
inline constexpr unsigned long kHandOffAnsi = 0;
inline constexpr unsigned long kHandOffUtf8 = 1;
inline constexpr char kHandOffLineEnd[] = "\r\n";

// The bytes to send (cbData is their count, the null byte included). Paths
// cannot hold CR, LF or null, so nothing is quoted.
inline std::string BuildHandOffText(const std::vector<std::string>& paths) {
  std::string text;
  for (const auto& path : paths) {
    text += path;
    text += kHandOffLineEnd;
  }
  text.push_back('\0');
  return text;
}

}  // namespace rn
