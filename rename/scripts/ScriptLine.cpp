#include "scripts/ScriptLine.h"

#include <array>
#include <tuple>
#include <utility>
#include <vector>

#include "base/SettingsFile.h"
#include "base/Text.h"
#include "base/Texts.h"
#include "scripts/ScriptStore.h"

namespace rn {

namespace {

using FieldTexts = std::array<std::wstring, kScriptFieldCount>;

// Field i ends at the i-th bar; fields without their bar stay empty, as does
// everything after field 21's bar.
FieldTexts SplitFields(const std::wstring& body) {
  FieldTexts fields;
  size_t start = 0;
  for (int i = 0; i < kScriptFieldCount; ++i) {
    const size_t bar = body.find(L'|', start);
    if (bar == std::wstring::npos) break;
    fields[static_cast<size_t>(i)] = body.substr(start, bar - start);
    start = bar + 1;
  }
  return fields;
}

// A number (0 is false) or the words True and False in any letter case.
std::optional<bool> ParseBoolean(const std::wstring& text) {
  if (const auto n = ParseInteger(text)) return *n != 0;
  const std::wstring t = Trim(text);
  if (EqualsNoCase(t, L"True")) return true;
  if (EqualsNoCase(t, L"False")) return false;
  return std::nullopt;
}

// Field 10: operation 4's flags, "r" before "i", each at most once.
std::optional<std::pair<bool, bool>> ParseReplaceFlags(const std::wstring& text) {
  if (text.empty()) return std::pair{false, false};
  if (text == L"r") return std::pair{true, false};
  if (text == L"i") return std::pair{false, true};
  if (text == L"ri") return std::pair{true, true};
  return std::nullopt;
}

// Reads the fields in order; the first one that does not convert is kept as
// the error and the rest is not looked at.
class FieldReader {
 public:
  explicit FieldReader(const FieldTexts& fields) : fields_(fields) {}
  const std::wstring& Field(int i) const { return fields_[static_cast<size_t>(i)]; }
  void Integer(int i, int& out) { Read(i, out, ParseInteger(Field(i)), TextId::MsgNotValidInteger); }
  void Boolean(int i, bool& out) { Read(i, out, ParseBoolean(Field(i)), TextId::MsgNotValidBoolean); }
  void Flags(int i, std::pair<bool, bool>& out) { Read(i, out, ParseReplaceFlags(Field(i)), TextId::MsgScriptFlags); }
  std::wstring error;

 private:
  template <class T>
  void Read(int i, T& out, const std::optional<T>& value, TextId message) {
    if (!error.empty()) return;
    if (value)
      out = *value;
    else
      error = Text(message, {Field(i)});
  }
  const FieldTexts& fields_;
};

// What each text field is called in a message, by the box that holds it.
struct TextFieldName {
  const std::wstring RenameTask::*field;
  TextId box;
};

std::wstring CaptionForLine(const std::wstring& caption) {
  std::wstring out = caption;
  for (wchar_t& c : out)
    if (c == L'-') c = L'.';
  return out;
}

// Parts of a version compared as numbers: leading zeros do not count, and a
// longer number is the larger one.
int CompareNumberText(const std::wstring& a, const std::wstring& b) {
  const size_t za = a.find_first_not_of(L'0'), zb = b.find_first_not_of(L'0');
  const std::wstring na = za == std::wstring::npos ? L"" : a.substr(za);
  const std::wstring nb = zb == std::wstring::npos ? L"" : b.substr(zb);
  if (na.size() != nb.size()) return na.size() < nb.size() ? -1 : 1;
  return na.compare(nb);
}

}  // namespace

ScriptLine FormatScriptLine(const RenameTask& t, const std::wstring& hint, const std::wstring& caption) {
  const auto flag = [](bool set) { return std::wstring(set ? L"-1" : L"0"); };
  const std::wstring fields[kScriptFieldCount] = {
      IntToWide(t.Operation),
      t.RenameTo,
      t.Operation == kOpNumerate ? t.StartNumber : t.NewDate,
      t.DateFormat,
      IntToWide(-t.InsertAt),
      t.EveryWord ? L"1" : L"0",
      IntToWide(t.AddDatePart),
      IntToWide(t.CaseMode),
      IntToWide(-t.TrimCount),
      IntToWide(-t.TrimAt),
      std::wstring(t.ReplacePattern ? L"r" : L"") + (t.ReplaceIgnoreCase ? L"i" : L""),
      t.ReplaceWith,
      t.NewTime,
      IntToWide(t.SetDatePart),
      t.Prefix,
      t.CounterStart,
      t.Suffix,
      flag(t.Attributes.Hidden),
      flag(t.Attributes.Archive),
      flag(t.Attributes.ReadOnly),
      flag(t.Attributes.System),
      IntToWide(t.NumberStyle),
  };
  std::wstring line = hint + L"\t";
  for (const std::wstring& f : fields) line += f + L"|";
  return line + L"    " + CaptionForLine(caption);
}

std::optional<std::wstring> BarInTextMessage(const RenameTask& t) {
  const bool numbering = t.Operation == kOpNumerate;
  const TextFieldName names[] = {
      {&RenameTask::RenameTo, TextId::ScriptBoxRenameTo},
      {numbering ? &RenameTask::StartNumber : &RenameTask::NewDate,
       numbering ? TextId::ScriptBoxStartNumber : TextId::ScriptBoxDate},
      {&RenameTask::DateFormat, TextId::ScriptBoxDateFormat},
      {&RenameTask::ReplaceWith, TextId::ScriptBoxReplace},
      {&RenameTask::NewTime, TextId::ScriptBoxTime},
      {&RenameTask::Prefix, TextId::ScriptBoxPrefix},
      {&RenameTask::CounterStart, TextId::ScriptBoxCounter},
      {&RenameTask::Suffix, TextId::ScriptBoxSuffix},
  };
  for (const TextFieldName& n : names)
    if ((t.*n.field).find(L'|') != std::wstring::npos) return Text(TextId::MsgBarInScriptLine, {Text(n.box)});
  return std::nullopt;
}

ScriptLineBuild BuildScriptLine(const RenameTask& task, const std::wstring& hint, const std::wstring& caption) {
  ScriptLineBuild out;
  const auto refuse = [&](LineRefusal why, std::wstring message) {
    out.refusal = why;
    out.message = std::move(message);
    return out;
  };
  if (task.Operation == kNoOperation) return refuse(LineRefusal::NoOperation, Text(TextId::MsgChooseOption));
  if (task.RenameTo.empty() && task.Operation <= kOpChangeExtension)
    return refuse(LineRefusal::NoRenameTo, Text(TextId::MsgNoRenameTo));
  if (auto bar = BarInTextMessage(task)) return refuse(LineRefusal::BarInText, std::move(*bar));
  ScriptLine line = FormatScriptLine(task, hint, caption);
  if (StoredScriptText(line).size() > kMaxSettingsValue)
    return refuse(LineRefusal::TooLongToStore,
                  Text(TextId::MsgScriptLineTooLong, {IntToWide(static_cast<int>(kMaxSettingsValue))}));
  out.line = std::move(line);
  return out;
}

std::wstring ScriptLineHint(const ScriptLine& line) {
  const size_t tab = line.find(L'\t');
  return tab == std::wstring::npos ? std::wstring() : line.substr(0, tab);
}

std::wstring ScriptLineBody(const ScriptLine& line) {
  const size_t tab = line.find(L'\t');
  return tab == std::wstring::npos ? line : line.substr(tab + 1);
}

std::wstring ScriptField(const std::wstring& body, int index) {
  if (index < 0 || index >= kScriptFieldCount) return {};
  return SplitFields(body)[static_cast<size_t>(index)];
}

ScriptLineParse ParseScriptLine(const std::wstring& body) {
  const FieldTexts text = SplitFields(body);
  FieldReader r(text);
  ScriptLineFields f;
  r.Integer(0, f.operation);
  f.renameTo = text[1];
  f.dateBox = text[2];
  f.dateFormat = text[3];
  r.Integer(4, f.insertAtPosition);
  f.everyWord = ParseInteger(text[5]).value_or(0) != 0;
  r.Integer(6, f.addDatePart);
  if (Trim(text[7]).empty())
    f.caseMode = kCaseUpper;
  else
    r.Integer(7, f.caseMode);
  r.Integer(8, f.trimCountPosition);
  r.Integer(9, f.trimAtPosition);
  std::pair<bool, bool> flags;
  r.Flags(10, flags);
  std::tie(f.replacePattern, f.replaceIgnoreCase) = flags;
  f.replaceWith = text[11];
  f.timeBox = text[12];
  r.Integer(13, f.setDatePart);
  f.prefix = text[14];
  f.counter = text[15];
  f.suffix = text[16];
  r.Boolean(17, f.attributes.Hidden);
  r.Boolean(18, f.attributes.Archive);
  r.Boolean(19, f.attributes.ReadOnly);
  r.Boolean(20, f.attributes.System);
  r.Integer(21, f.numberStyle);
  ScriptLineParse out;
  if (r.error.empty())
    out.fields = std::move(f);
  else
    out.error = std::move(r.error);
  return out;
}

int SpinValueOfPosition(int position) {
  // The bar holds -255 … 1; its ends come round to 0 and 254.
  if (position <= -255) return 0;
  if (position >= 1) return 254;
  return -position;
}

int SelectorCode(int stored, int first, int last) {
  // The bar reaches one step beyond each end, which comes round.
  if (stored < first) return last;
  if (stored > last) return first;
  return stored;
}

RenameTask PanelFromFields(const ScriptLineFields& f, const RenameTask& panel) {
  RenameTask t = panel;
  t.Operation = f.operation;
  t.RenameTo = f.renameTo;
  t.NewDate = f.dateBox;
  t.StartNumber = f.dateBox;
  // The format box is a pick list: it takes the entry of that name, if any.
  for (const wchar_t* entry : kDateFormats)
    if (EqualsNoCase(entry, f.dateFormat)) t.DateFormat = entry;
  t.InsertAt = SpinValueOfPosition(f.insertAtPosition);
  // The selection logic unchecks "of every word" for every other operation.
  t.EveryWord = f.everyWord && f.operation == kOpCapitalize;
  t.AddDatePart = SelectorCode(f.addDatePart, kDatePartDate, kDatePartBoth);
  t.CaseMode = SelectorCode(f.caseMode, kCaseUpper, kCaseLower);
  t.TrimCount = SpinValueOfPosition(f.trimCountPosition);
  t.TrimAt = SpinValueOfPosition(f.trimAtPosition);
  t.ReplaceWith = f.replaceWith;
  t.ReplacePattern = f.replacePattern;
  t.ReplaceIgnoreCase = f.replaceIgnoreCase;
  t.NewTime = f.timeBox;
  t.SetDatePart = SelectorCode(f.setDatePart, kDatePartDate, kDatePartBoth);
  t.Prefix = f.prefix;
  t.CounterStart = f.counter;
  t.Suffix = f.suffix;
  t.Attributes = f.attributes;
  t.NumberStyle = SelectorCode(f.numberStyle, kNumberName, kNumberExtension);
  return t;
}

ScriptLineApply PanelFromScriptLine(const std::wstring& body, const RenameTask& panel) {
  ScriptLineParse parsed = ParseScriptLine(body);
  ScriptLineApply out;
  if (parsed.fields)
    out.task = PanelFromFields(*parsed.fields, panel);
  else
    out.error = std::move(parsed.error);
  return out;
}

ScriptLine UpgradeScriptLine(const ScriptLine& line) {
  // The stored fields end at the bar in front of the four blanks and the
  // caption; the caption of operation 6 holds a bar of its own.
  size_t last = line.rfind(L"|    ");
  if (last == std::wstring::npos) last = line.rfind(L'|');
  if (last == std::wstring::npos) return line;
  // Time box, date/time part, prefix, counter, suffix, the four attributes
  // and the numbering style, which those versions did not store either: a
  // line without it could not be applied, so an upgraded script could not run.
  return line.substr(0, last + 1) + L"04:05:46 PM|1||001||0|0|0|0|6|" + line.substr(last + 1);
}

bool VersionNeedsScriptUpgrade(const std::wstring& stored) {
  // "(v" in front and ")" behind are cut off without looking at them.
  if (stored.size() < 3) return false;
  const std::wstring core = stored.substr(2, stored.size() - 3);
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    const size_t dot = core.find(L'.', start);
    std::wstring part = core.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start);
    if (part.empty() || part.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
    parts.push_back(std::move(part));
    if (dot == std::wstring::npos) break;
    start = dot + 1;
  }
  const std::wstring firstWithAllFields[] = {L"1", L"2", L"2", L"3"};
  for (size_t i = 0; i < std::max(parts.size(), std::size(firstWithAllFields)); ++i) {
    const std::wstring a = i < parts.size() ? parts[i] : L"0";
    const std::wstring b = i < std::size(firstWithAllFields) ? firstWithAllFields[i] : L"0";
    if (const int c = CompareNumberText(a, b); c != 0) return c < 0;
  }
  return false;
}

}  // namespace rn
