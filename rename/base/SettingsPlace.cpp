#include "base/SettingsPlace.h"

namespace rn {

namespace {

std::wstring WithBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder;
}

}  // namespace

std::wstring SettingsFolderFor(const std::wstring& programFolder, bool programFolderWritable,
                               const std::wstring& appDataFolder) {
  if (programFolderWritable || appDataFolder.empty()) return WithBackslash(programFolder);
  return WithBackslash(appDataFolder) + kAppDataSubfolder;
}

bool SeedSettingsFromProgramFolder(const std::wstring& programFolder, const std::wstring& settingsFolder,
                                   bool programFolderHasSettings, bool settingsFolderHasSettings) {
  return programFolderHasSettings && !settingsFolderHasSettings && WithBackslash(programFolder) != settingsFolder;
}

}  // namespace rn
