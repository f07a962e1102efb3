// Scripts in Rename.ini, and the rules of the script bar and the editor that
// need no window.
//
// Scripts are numbered 1 … Scripts (key of section Options) without gaps.
// Script n lives in section "Script_n": Name, commands (the number of lines)
// and the lines as keys "1" … commands. The chooser lists an empty entry and
// then "n - name" for every script.
//
// Every change of several keys (save, delete, upgrade) reaches the file in
// one rewrite, so a failed write leaves the file as it was: Scripts never
// counts a script that is missing or half written.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/SettingsFile.h"
#include "scripts/ScriptLine.h"

namespace rn {

// The help context of the editor's help spot.
inline constexpr int kScriptHelpContext = 6;

// A Scripts value beyond this (a damaged file) counts as this many, so that
// no loop over the scripts runs for ever.
inline constexpr int kMaxScripts = 10000;

std::wstring ScriptSection(int number);
// Scripts, held to 0 … kMaxScripts and to the last script that has a
// section, so that a damaged count is never written back larger.
int ReadScriptCount(const SettingsFile& settings);
std::wstring ReadScriptName(const SettingsFile& settings, int number);
// Keys "1" … commands (none when commands is below 1; a missing key gives an
// empty line). The settings file trims values, which takes the leading TAB
// from a line without hint (operation 19); it is put back, so the editor's
// list shows such a line empty as when it was made.
std::vector<ScriptLine> ReadScriptLines(const SettingsFile& settings, int number);
// What is written for a name or a line so that it reads back exactly: the
// text enclosed in double quotes when blanks at an end or enclosing quotes
// would otherwise be lost; the text itself in every other case.
std::wstring StoredScriptText(const std::wstring& text);

// The chooser: "n - name".
std::wstring ChooserEntry(int number, const std::wstring& name);
// The empty entry, then one entry per stored script that has a section.
std::vector<std::wstring> ChooserEntries(const SettingsFile& settings);
struct ChooserChoice {
  int number = 0;
  std::wstring name;
  bool operator==(const ChooserChoice&) const = default;
};
// The number is the text up to two characters before the first "-", the name
// the text from two characters after it. Nothing when the number is none.
std::optional<ChooserChoice> ParseChooserEntry(const std::wstring& entry);
// The entry of "Run script ..", "Edit" and "Del": accepted only when its
// number is a stored script whose Name is exactly the entry's name. Nothing
// means the chooser is out of step: show "Error ..." (MsgScriptOutOfStep)
// and do nothing.
std::optional<ChooserChoice> CheckChooserEntry(const SettingsFile& settings, const std::wstring& entry);

// "Run script ..", "Edit" and "Del" after the chooser changed.
struct ScriptButtons {
  bool run = false, edit = false, del = false;
  bool operator==(const ScriptButtons&) const = default;
};
ScriptButtons ScriptButtonsFor(const std::wstring& chooserEntry, bool fileListEmpty);

// The answer of the name box names a script when it is not empty after
// trimming (Cancel answers empty). The name is stored as typed.
bool IsScriptName(const std::wstring& answer);

// Refused: nothing was changed. Written: on disk. NotWritten: the file could
// not be rewritten and keeps its old contents; the handle keeps the change
// in memory (as after any failed write), so the chooser may show it.
enum class ScriptChange { Refused, Written, NotWritten };
struct ScriptSave {
  ScriptChange change = ScriptChange::Refused;
  int number = 0;
  std::wstring name;  // as it reads back, for the chooser entry
};
// "&Save and Exit" of a new script: number Scripts + 1, Scripts raised.
// Refused for an empty list or a name that IsScriptName rejects.
ScriptSave SaveNewScript(SettingsFile& settings, const std::wstring& name, const std::vector<ScriptLine>& lines);
// "&Save and Exit" of an edited script: its section is written anew under the
// same number. Refused for an empty list or a number that is no script.
ScriptSave SaveEditedScript(SettingsFile& settings, int number, const std::wstring& name,
                            const std::vector<ScriptLine>& lines);
// "Del": the later scripts move down by one, with their names and lines.
// Refused for a number that is no script.
ScriptChange DeleteScript(SettingsFile& settings, int number);

// At start-up: when scripts exist and Version names a version before 1.2.2.3,
// every line of every script is upgraded (UpgradeScriptLine). Gives the
// number of lines changed.
int UpgradeScriptLines(SettingsFile& settings);

// The first line of a script that cannot be applied, with its message, so
// that a run can refuse a broken script before the first rename.
struct BadScriptLine {
  size_t index = 0;  // 0-based
  std::wstring message;
};
std::optional<BadScriptLine> FirstBadScriptLine(const std::vector<ScriptLine>& lines);
// "Script 'name', line n: message".
std::wstring BadScriptLineText(const std::wstring& scriptName, const BadScriptLine& bad);

}  // namespace rn
