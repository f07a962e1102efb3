#include "dialogs/Options.h"

#include <algorithm>

#include "base/OptionKeys.h"

namespace rn {

int WrapDateTypePosition(int position) {
  position = std::clamp(position, 0, 3);
  if (position == 3) return 1;
  if (position == 0) return 2;
  return position;
}

OptionValues ReadOptionValues(const SettingsFile& settings) {
  OptionValues v;
  v.language = ReadOption(settings, options::kLanguage);
  v.windowPosition = ReadOption(settings, options::kWindowPosition);
  v.windowSize = ReadOption(settings, options::kWindowSize);
  v.stayOnTop = ReadOption(settings, options::kStayOnTop);
  v.dateType = WrapDateTypePosition(ReadOption(settings, options::kDateType));
  v.lastSelection = ReadOption(settings, options::kLastSelection);
  v.renamingHints = ReadOption(settings, options::kRenamingHints);
  v.showMenus = ReadOption(settings, options::kShowMenus);
  v.showFileInfo = ReadOption(settings, options::kShowFileInfo);
  return v;
}

void WriteOptionValues(SettingsFile& settings, const OptionValues& v) {
  SettingsFile::Batch batch(settings);
  if (!v.language.empty()) WriteOption(settings, options::kLanguage, v.language);
  WriteOption(settings, options::kWindowPosition, v.windowPosition);
  WriteOption(settings, options::kWindowSize, v.windowSize);
  WriteOption(settings, options::kStayOnTop, v.stayOnTop);
  WriteOption(settings, options::kDateType, WrapDateTypePosition(v.dateType));
  WriteOption(settings, options::kLastSelection, v.lastSelection);
  WriteOption(settings, options::kRenamingHints, v.renamingHints);
  WriteOption(settings, options::kShowMenus, v.showMenus);
  WriteOption(settings, options::kShowFileInfo, v.showFileInfo);
}

}  // namespace rn
