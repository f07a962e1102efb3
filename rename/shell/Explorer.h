// What the program asks of Windows about its Explorer integration: the word
// size of the system, the marker of a registered extension, the Send To
// folder and its link. Implemented by the platform layer.
#pragma once
#include <optional>
#include <string>

namespace rn {

// 64-bit Windows (the program runs as a 32-bit process on it, or is 64-bit
// itself). A failing system call raises its error (AppError).
bool WindowsIs64Bit();
// Windows of the NT family.
bool WindowsIsNt();
// The marker key the add script writes under the current user.
// True when the marker key is there, false when it is not; an error when
// the registry cannot tell.
bool RegistrationMarkerExists();

// The user's Send To folder as Explorer's "Shell Folders" key names it;
// nothing when the value is missing or names no folder.
std::optional<std::wstring> SendToFolder();
enum class LinkResult { Saved, SaveFailed, OtherError };
// A shell link at `linkPath` starting `program` with `arguments` in `workingFolder`.
LinkResult SaveShellLink(const std::wstring& linkPath, const std::wstring& program, const std::wstring& arguments,
                         const std::wstring& workingFolder);

}  // namespace rn
