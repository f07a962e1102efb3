// The registry script that adds the context-menu extension to Explorer or
// removes it: "Morvane.reg" beside the program, imported by the registry
// editor. The marker key under the current user says the extension is there.
#pragma once
#include <string>
#include <vector>

namespace rn {

inline constexpr wchar_t kRegistrationScriptName[] = L"Morvane.reg";
inline constexpr wchar_t kRegistrationMarkerKey[] = L"SOFTWARE\\Morvane";  // under HKEY_CURRENT_USER
inline constexpr wchar_t kExtensionDescription[] = L"Morvane Context Menu Plugin";
inline constexpr wchar_t kExtension32[] = L"RENAME32.DLL";
inline constexpr wchar_t kExtension64[] = L"RENAME64.DLL";
// The Send To link: in the user's Send To folder, starting the program with the argument.
inline constexpr wchar_t kSendToLinkName[] = L"Rename fileNames.lnk";
inline constexpr wchar_t kSendToArguments[] = L"-sendto";

// Every backslash doubled, as paths stand inside a registry script.
std::wstring EscapeRegistryPath(const std::wstring& path);

// The extension for the word size of Windows: RENAME64.DLL on 64-bit Windows.
std::wstring ExtensionFileFor(bool windows64);

// The scripts' lines (without line ends); `programFolder` ends in a backslash.
std::vector<std::wstring> AddScriptLines(const std::wstring& programFolder, bool ntFamily, bool windows64);
std::vector<std::wstring> RemoveScriptLines(bool windows64);

// The script file's bytes: the lines each ended by CR LF, in the system's
// ANSI code page; a path the code page cannot hold makes it UTF-16 with a
// byte-order mark instead, which the registry editor reads as well.
std::string RegistryScriptBytes(const std::vector<std::wstring>& lines);

// The registry editor's parameters for a silent import of the script.
std::wstring RegeditParameters(const std::wstring& scriptPath);

}  // namespace rn
