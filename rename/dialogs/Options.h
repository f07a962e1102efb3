// The preferences the options dialog edits, as keys of section `Options`.
#pragma once
#include <string>

#include "base/SettingsFile.h"

namespace rn {

// The language names the dialog offers, in order.
inline constexpr const wchar_t* kLanguageNames[] = {L"English", L"Portuguese"};

struct OptionValues {
  std::wstring language = L"English";  // empty: none chosen, the stored one stays
  bool windowPosition = false;
  bool windowSize = true;
  bool stayOnTop = false;
  int dateType = 1;  // 1 modified, 2 created
  bool lastSelection = false;
  bool renamingHints = true;
  bool showMenus = true;  // the dialog shows the inverse, "Hide main top menu"
  bool showFileInfo = false;
};

// The date-type selector's bar runs 0 … 3 and keeps to 1 and 2: a value
// outside the bar's range is first limited to it, then 3 turns into 1 and 0
// into 2, so either arrow cycles between the two kinds.
int WrapDateTypePosition(int position);

// The stored values, with their defaults; the date type already wrapped.
OptionValues ReadOptionValues(const SettingsFile& settings);
// Every key in one rewrite of the file; the language only when one is chosen.
void WriteOptionValues(SettingsFile& settings, const OptionValues& values);

}  // namespace rn
