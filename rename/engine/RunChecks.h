// The checks a rename request passes before the run touches anything, in
// their fixed order with their fixed messages, and the corrections some of
// them make to the request (numbers widened, the insert position reduced,
// the new extension cleaned).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/DateLocale.h"
#include "engine/Operation.h"
#include "filelist/FileList.h"

namespace rn {

// Where the input focus goes after a refusal.
enum class CheckFocus { None, RenameTo, Prefix, DateBox, TimeBox };

struct CheckResult {
  std::vector<std::wstring> messages;  // shown one after the other
  bool stop = false;                   // the run ends before touching an entry
  CheckFocus focus = CheckFocus::None;
  RenameTask task;                           // with the corrections, to write back to the panel
  std::optional<std::wstring> rememberDate;  // NewDate, stored as Date_ch
  int64_t firstCounter = 0;                  // where numbering starts (operations 12 and 18)
};

CheckResult CheckRenameTask(const RenameTask& task, const FileList& list, const DateLocale& dates);

}  // namespace rn
