#include "core/Options.h"

#include <algorithm>

namespace rn {

namespace {
constexpr wchar_t kSection[] = L"Options";
}  // namespace

int WrapDateTypePosition(int position) {
  position = std::clamp(position, 0, 3);
  if (position == 3) return 1;
  if (position == 0) return 2;
  return position;
}

OptionValues ReadOptionValues(const SettingsFile& settings) {
  OptionValues v;
  v.language = settings.ReadString(kSection, L"Language", L"English");
  v.windowPosition = settings.ReadBool(kSection, L"WindowPosition", false);
  v.windowSize = settings.ReadBool(kSection, L"WindowSize", true);
  v.stayOnTop = settings.ReadBool(kSection, L"StayOnTop", false);
  v.dateType = WrapDateTypePosition(settings.ReadInteger(kSection, L"DateType", 1));
  v.lastSelection = settings.ReadBool(kSection, L"LastSelection", false);
  v.renamingHints = settings.ReadBool(kSection, L"RenamingHints", true);
  v.showMenus = settings.ReadBool(kSection, L"ShowMenus", true);
  v.showFileInfo = settings.ReadBool(kSection, L"ShowFileInfo", false);
  return v;
}

void WriteOptionValues(SettingsFile& settings, const OptionValues& v) {
  SettingsFile::Batch batch(settings);
  if (!v.language.empty()) settings.WriteString(kSection, L"Language", v.language);
  settings.WriteBool(kSection, L"WindowPosition", v.windowPosition);
  settings.WriteBool(kSection, L"WindowSize", v.windowSize);
  settings.WriteBool(kSection, L"StayOnTop", v.stayOnTop);
  settings.WriteInteger(kSection, L"DateType", WrapDateTypePosition(v.dateType));
  settings.WriteBool(kSection, L"LastSelection", v.lastSelection);
  settings.WriteBool(kSection, L"RenamingHints", v.renamingHints);
  settings.WriteBool(kSection, L"ShowMenus", v.showMenus);
  settings.WriteBool(kSection, L"ShowFileInfo", v.showFileInfo);
}

}  // namespace rn
