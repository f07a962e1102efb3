// Every key of section [Options] of Rename.ini with its default, in one
// place: whoever reads or writes one names it here. A key whose default is
// known only at the read (the program folder, today's date) takes it there.
#pragma once
#include <string>

#include "base/SettingsFile.h"

namespace rn {

inline constexpr wchar_t kOptionsSection[] = L"Options";

struct FlagOption {
  const wchar_t* key;
  bool byDefault;
};
struct NumberOption {
  const wchar_t* key;
  int byDefault;
};
struct TextOption {
  const wchar_t* key;
  const wchar_t* byDefault;
};

namespace options {
// The options dialog's.
inline constexpr TextOption kLanguage{L"Language", L"English"};
inline constexpr FlagOption kWindowPosition{L"WindowPosition", false};
inline constexpr FlagOption kWindowSize{L"WindowSize", true};
inline constexpr FlagOption kStayOnTop{L"StayOnTop", false};
inline constexpr NumberOption kDateType{L"DateType", 1};  // 1 modified, 2 created
inline constexpr FlagOption kLastSelection{L"LastSelection", false};
inline constexpr FlagOption kRenamingHints{L"RenamingHints", true};
inline constexpr FlagOption kShowMenus{L"ShowMenus", true};
inline constexpr FlagOption kShowFileInfo{L"ShowFileInfo", false};
// The main window's.
inline constexpr FlagOption kShowPreview{L"ShowPreview", true};
inline constexpr NumberOption kLastRenameSelect{L"LastRenameSelect", -1};
inline constexpr TextOption kSize{L"Size", L"418|509"};  // height|width
inline constexpr NumberOption kPositLeft{L"PositLeft", 200};
inline constexpr NumberOption kPositTop{L"PositTop", 110};
inline constexpr TextOption kPath{L"Path", L""};        // read with the program folder as default
inline constexpr TextOption kDateFormat{L"DateFormat", L"[default]"};
inline constexpr TextOption kDateChanged{L"Date_ch", L""};  // read with today as default
inline constexpr TextOption kUpdateUrl{L"UpdateUrl", L""};
// The welcome box's.
inline constexpr FlagOption kDonated{L"Donated", false};
inline constexpr FlagOption kRemindLater{L"RemindLater", true};
// "(v" + the file version + ")", written at every close. Missing, the welcome
// box counts it as no version, and the script upgrade as one before scripts
// had their last fields.
inline constexpr TextOption kVersion{L"Version", L"0.0.0.0"};
inline constexpr TextOption kVersionForScripts{L"Version", L"(v1.2.2.0)"};
// The scripts' (ScriptStore.h).
inline constexpr NumberOption kScripts{L"Scripts", 0};
}  // namespace options

inline bool ReadOption(const SettingsFile& settings, FlagOption option) {
  return settings.ReadBool(kOptionsSection, option.key, option.byDefault);
}
inline int ReadOption(const SettingsFile& settings, NumberOption option) {
  return settings.ReadInteger(kOptionsSection, option.key, option.byDefault);
}
inline std::wstring ReadOption(const SettingsFile& settings, TextOption option) {
  return settings.ReadString(kOptionsSection, option.key, option.byDefault);
}
inline std::wstring ReadOption(const SettingsFile& settings, TextOption option, const std::wstring& byDefault) {
  return settings.ReadString(kOptionsSection, option.key, byDefault);
}
inline void WriteOption(SettingsFile& settings, FlagOption option, bool value) {
  settings.WriteBool(kOptionsSection, option.key, value);
}
inline void WriteOption(SettingsFile& settings, NumberOption option, int value) {
  settings.WriteInteger(kOptionsSection, option.key, value);
}
inline void WriteOption(SettingsFile& settings, TextOption option, const std::wstring& value) {
  settings.WriteString(kOptionsSection, option.key, value);
}

}  // namespace rn
