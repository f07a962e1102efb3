// Where the program keeps what it writes for the user: Rename.ini, the
// registration script and the undo journal, all in one folder. A copy whose
// folder the user can write (the portable copy) keeps them beside itself, as it
// always did; a copy installed where a normal user cannot write (Program Files)
// keeps them in the user's roaming application-data folder, in "Rename\".
#pragma once
#include <string>

namespace rn {

inline constexpr wchar_t kSettingsFileName[] = L"Rename.ini";
inline constexpr wchar_t kAppDataSubfolder[] = L"Rename\\";

// The folder (ending in a backslash) for the settings. `appDataFolder` is the
// user's application-data folder, empty when the system names none; the
// program folder is kept then, as it is while it is writable.
std::wstring SettingsFolderFor(const std::wstring& programFolder, bool programFolderWritable,
                               const std::wstring& appDataFolder);

// A copy that moves its settings away from a folder it cannot write starts
// from the Rename.ini found beside it (one shipped with the copy, or written
// while the folder was writable), once: never over settings already there.
bool SeedSettingsFromProgramFolder(const std::wstring& programFolder, const std::wstring& settingsFolder,
                                   bool programFolderHasSettings, bool settingsFolderHasSettings);

}  // namespace rn
