// Stored script lines and chooser entries come from Rename.ini, which anyone
// may edit. Reading them must never read outside the text, a line that is
// accepted must come back the same through the panel and the format, and an
// entry the program writes must read back as written.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Text.h"
#include "scripts/ScriptLine.h"
#include "scripts/ScriptStore.h"

using namespace rn;

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "script check failed: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = WideFromCp1252(std::string(reinterpret_cast<const char*>(data), size));

  const std::wstring body = ScriptLineBody(text);
  Check(ScriptLineHint(text).size() + body.size() <= text.size(), "hint and body come from the line");
  const ScriptLineParse parsed = ParseScriptLine(body);
  Check(parsed.fields.has_value() != !parsed.error.empty(), "either fields or a message");
  if (parsed.fields) {
    // What the panel holds after the line builds the same line again.
    const RenameTask panel = PanelFromFields(*parsed.fields, RenameTask{});
    const ScriptLine again = FormatScriptLine(panel, L"hint", L"-caption-");
    const ScriptLineApply back = PanelFromScriptLine(ScriptLineBody(again), RenameTask{});
    Check(back.task.has_value(), "a built line applies");
    Check(*back.task == panel, "the panel comes back through its line");
    Check(BarInTextMessage(panel) == std::nullopt, "fields never hold a bar");
  }
  const ScriptLine upgraded = UpgradeScriptLine(text);
  Check(upgraded.size() == text.size() + (text.find(L'|') == std::wstring::npos ? 0 : 30), "ten fields go in");
  VersionNeedsScriptUpgrade(text);

  if (const auto choice = ParseChooserEntry(text); choice && choice->number >= 0) {
    const auto back = ParseChooserEntry(ChooserEntry(choice->number, choice->name));
    Check(back && *back == *choice, "an entry reads back as written");
  }
  const std::wstring stored = StoredScriptText(text);
  Check(Trim(stored) == stored || text.empty(), "a stored text has no blanks at its ends");
  return 0;
}
