#include "engine/Operation.h"

#include "base/Text.h"

namespace rn {

const std::array<const wchar_t*, 18> kDateFormats = {
    L"[default]",  L"dd-mm-yyyy",  L"dd.mm.yyyy",  L"mm-dd-yyyy", L"mm.dd.yyyy", L"yyyy-mm-dd",
    L"yyyy.mm.dd", L"dd-mm-yy",    L"dd.mm.yy",    L"mm-dd-yy",   L"mm.dd.yy",   L"yy-mm-dd",
    L"yy.mm.dd",   L"dd-mmm-yyyy", L"dd.mmm.yyyy", L"ddmmyyyy",   L"mmddyyyy",   L"yyyymmdd"};

const std::array<CatalogueEntry, 17> kOperationCatalogue = {{
    {L"01. Add ... at xx chars from name begin", kOpAddFromBegin, OperationKind::Name, false},
    {L"02. Add ... at xx chars from name end", kOpAddFromEnd, OperationKind::Name, false},
    {L"03. Remove ... from file name", kOpRemove, OperationKind::Name, false},
    {L"04. Convert all ... to xx in name", kOpReplace, OperationKind::Name, false},
    {L"05. Change file extension to ...", kOpChangeExtension, OperationKind::Name, false},
    {L"06. Capitalize first letter", kOpCapitalize, OperationKind::Name, false},
    {L"060. Capitalize first letter of every word", kOpCapitalize, OperationKind::Name, true},
    {L"07. Convert all to ... case", kOpConvertCase, OperationKind::Name, false},
    {L"18. Create new names for file names ...", kOpCreateNames, OperationKind::Name, false},
    {L"10. Trim xx chars at xx from begin", kOpTrimFromBegin, OperationKind::Name, false},
    {L"11. Trim xx chars at xx from end", kOpTrimFromEnd, OperationKind::Name, false},
    {L"19. Trim all from xx to xx from end", kOpTrimBetween, OperationKind::Name, false},
    {L"09. Change file attributes to ...", kOpAttributes, OperationKind::Attributes, false},
    {L"15. Change file's date/time to ...", kOpChangeDateTime, OperationKind::TimeStamp, false},
    {L"16. Add file's date/time to begin of name", kOpDateToBegin, OperationKind::Name, false},
    {L"17. Add file's date/time to end of name", kOpDateToEnd, OperationKind::Name, false},
    {L"12. Numerate files ...", kOpNumerate, OperationKind::Name, false},
}};

OperationKind KindOf(OperationId id) {
  for (const CatalogueEntry& e : kOperationCatalogue)
    if (e.id == id) return e.kind;
  return OperationKind::None;
}

bool IsOperationId(int id) { return KindOf(id) != OperationKind::None; }

uint32_t AttributeValue(const AttributeSet& set) {
  return (set.ReadOnly ? 1u : 0u) | (set.Hidden ? 2u : 0u) | (set.System ? 4u : 0u) | (set.Archive ? 32u : 0u);
}

void ChooseCatalogueEntry(RenameTask& task, size_t index) {
  if (index >= kOperationCatalogue.size()) return;
  const CatalogueEntry& e = kOperationCatalogue[index];
  task.Operation = e.id;
  if (e.id == kOpCapitalize) task.EveryWord = e.everyWord;
}

std::optional<CounterText> ReadCounterText(const std::wstring& text) {
  const std::optional<int> value = ParseInteger(text);
  if (!value) return std::nullopt;
  return CounterText{*value, text.size()};
}

int DecimalDigits(int64_t rowCount) {
  uint64_t v = rowCount < 0 ? 0u - static_cast<uint64_t>(rowCount) : static_cast<uint64_t>(rowCount);
  int digits = 1;
  while (v >= 10) v /= 10, ++digits;
  return digits;
}

std::wstring WidenCounterText(const std::wstring& text, int64_t rowCount) {
  const size_t need = static_cast<size_t>(DecimalDigits(rowCount));
  if (text.size() >= need) return text;
  const size_t at = (!text.empty() && (text[0] == L'-' || text[0] == L'+')) ? 1 : 0;
  std::wstring out = text;
  out.insert(at, need - text.size(), L'0');
  return out;
}

std::wstring CleanExtensionText(const std::wstring& text) {
  const size_t dot = text.rfind(L'.');
  return dot == std::wstring::npos ? text : text.substr(dot + 1);
}

std::vector<wchar_t> IllegalNameCharacters(const std::wstring& text) {
  static const std::wstring kIllegal = L"\"*/:<>?\\|";
  std::vector<wchar_t> found;
  for (wchar_t c : text)
    if (kIllegal.find(c) != std::wstring::npos) found.push_back(c);
  return found;
}

}  // namespace rn
