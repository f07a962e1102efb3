#include "scripts/ScriptStore.h"

#include <algorithm>

#include "base/OptionKeys.h"
#include "base/Text.h"
#include "base/Texts.h"

namespace rn {

namespace {

const wchar_t* const kNameKey = L"Name";
const wchar_t* const kCommandsKey = L"commands";

bool IsStoredScript(const SettingsFile& settings, int number) {
  return number >= 1 && number <= ReadScriptCount(settings) && settings.SectionExists(ScriptSection(number));
}

// Name, commands and the lines, in that order, into a section that is empty.
void WriteScriptSection(SettingsFile& settings, int number, const std::wstring& name,
                        const std::vector<ScriptLine>& lines) {
  const std::wstring section = ScriptSection(number);
  settings.WriteString(section, kNameKey, StoredScriptText(name));
  settings.WriteInteger(section, kCommandsKey, static_cast<int>(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i)
    settings.WriteString(section, IntToWide(static_cast<int>(i + 1)), StoredScriptText(lines[i]));
}

ScriptChange Outcome(SettingsFile::Batch& batch) {
  return batch.Commit() ? ScriptChange::Written : ScriptChange::NotWritten;
}

}  // namespace

std::wstring ScriptSection(int number) { return L"Script_" + IntToWide(number); }

int ReadScriptCount(const SettingsFile& settings) {
  int count = std::clamp(ReadOption(settings, options::kScripts), 0, kMaxScripts);
  while (count > 0 && !settings.SectionExists(ScriptSection(count))) --count;
  return count;
}

std::wstring ReadScriptName(const SettingsFile& settings, int number) {
  return settings.ReadString(ScriptSection(number), kNameKey, L"");
}

std::vector<ScriptLine> ReadScriptLines(const SettingsFile& settings, int number) {
  const std::wstring section = ScriptSection(number);
  // A damaged count cannot ask for more lines than the section has keys.
  const int stored = settings.ReadInteger(section, kCommandsKey, 0);
  const int count = std::min(stored, static_cast<int>(settings.ReadSection(section).size()));
  std::vector<ScriptLine> lines;
  for (int i = 1; i <= count; ++i) {
    ScriptLine line = settings.ReadString(section, IntToWide(i), L"");
    if (!line.empty() && line.find(L'\t') == std::wstring::npos) line.insert(line.begin(), L'\t');
    lines.push_back(std::move(line));
  }
  return lines;
}

std::wstring StoredScriptText(const std::wstring& text) {
  if (Trim(text) != text || IsQuotedValue(text)) return L"\"" + text + L"\"";
  return text;
}

std::wstring ChooserEntry(int number, const std::wstring& name) { return IntToWide(number) + L" - " + name; }

std::vector<std::wstring> ChooserEntries(const SettingsFile& settings) {
  std::vector<std::wstring> entries{L""};
  const int count = ReadScriptCount(settings);
  for (int n = 1; n <= count; ++n)
    if (settings.SectionExists(ScriptSection(n))) entries.push_back(ChooserEntry(n, ReadScriptName(settings, n)));
  return entries;
}

std::optional<ChooserChoice> ParseChooserEntry(const std::wstring& entry) {
  const size_t dash = entry.find(L'-');
  if (dash == std::wstring::npos || dash < 1) return std::nullopt;
  const auto number = ParseInteger(entry.substr(0, dash - 1));
  if (!number) return std::nullopt;
  return ChooserChoice{*number, dash + 2 <= entry.size() ? entry.substr(dash + 2) : std::wstring()};
}

std::optional<ChooserChoice> CheckChooserEntry(const SettingsFile& settings, const std::wstring& entry) {
  auto choice = ParseChooserEntry(entry);
  if (!choice || !IsStoredScript(settings, choice->number)) return std::nullopt;
  if (ReadScriptName(settings, choice->number) != choice->name) return std::nullopt;
  return choice;
}

ScriptButtons ScriptButtonsFor(const std::wstring& chooserEntry, bool fileListEmpty) {
  if (chooserEntry.empty()) return {};
  return {!fileListEmpty, true, true};
}

bool IsScriptName(const std::wstring& answer) { return !Trim(answer).empty(); }

ScriptSave SaveNewScript(SettingsFile& settings, const std::wstring& name, const std::vector<ScriptLine>& lines) {
  ScriptSave out;
  if (lines.empty() || !IsScriptName(name)) return out;
  const int count = ReadScriptCount(settings);
  if (count >= kMaxScripts) return out;
  SettingsFile::Batch batch(settings);
  out.number = count + 1;
  WriteOption(settings, options::kScripts, out.number);
  // A section of that number left over by hand or by an older version goes.
  settings.EraseSection(ScriptSection(out.number));
  WriteScriptSection(settings, out.number, name, lines);
  out.name = ReadScriptName(settings, out.number);
  out.change = Outcome(batch);
  return out;
}

ScriptSave SaveEditedScript(SettingsFile& settings, int number, const std::wstring& name,
                            const std::vector<ScriptLine>& lines) {
  ScriptSave out;
  if (lines.empty() || !IsStoredScript(settings, number)) return out;
  SettingsFile::Batch batch(settings);
  settings.EraseSection(ScriptSection(number));
  WriteScriptSection(settings, number, name, lines);
  out.number = number;
  out.name = ReadScriptName(settings, number);
  out.change = Outcome(batch);
  return out;
}

ScriptChange DeleteScript(SettingsFile& settings, int number) {
  if (!IsStoredScript(settings, number)) return ScriptChange::Refused;
  const int count = ReadScriptCount(settings);
  SettingsFile::Batch batch(settings);
  WriteOption(settings, options::kScripts, count - 1);
  settings.EraseSection(ScriptSection(number));
  for (int k = number + 1; k <= count; ++k) MoveSection(settings, ScriptSection(k), ScriptSection(k - 1));
  return Outcome(batch);
}

int UpgradeScriptLines(SettingsFile& settings) {
  const int count = ReadScriptCount(settings);
  if (count < 1 || !VersionNeedsScriptUpgrade(ReadOption(settings, options::kVersionForScripts))) return 0;
  int changed = 0;
  SettingsFile::Batch batch(settings);
  for (int n = 1; n <= count; ++n) {
    const std::vector<ScriptLine> lines = ReadScriptLines(settings, n);
    for (size_t i = 0; i < lines.size(); ++i) {
      const ScriptLine upgraded = UpgradeScriptLine(lines[i]);
      if (upgraded == lines[i]) continue;
      settings.WriteString(ScriptSection(n), IntToWide(static_cast<int>(i + 1)), StoredScriptText(upgraded));
      ++changed;
    }
  }
  return changed;
}

std::optional<BadScriptLine> FirstBadScriptLine(const std::vector<ScriptLine>& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    ScriptLineParse parsed = ParseScriptLine(ScriptLineBody(lines[i]));
    if (!parsed.fields) return BadScriptLine{i, std::move(parsed.error)};
  }
  return std::nullopt;
}

std::wstring BadScriptLineText(const std::wstring& scriptName, const BadScriptLine& bad) {
  return Text(TextId::MsgScriptLineBroken, {scriptName, std::to_wstring(bad.index + 1), bad.message});
}

}  // namespace rn
