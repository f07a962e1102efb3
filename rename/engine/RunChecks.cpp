#include "engine/RunChecks.h"

#include "base/Text.h"
#include "base/Texts.h"
#include "engine/FieldText.h"
#include "engine/PatternReplace.h"

namespace rn {

namespace {

std::wstring TrimLeft(const std::wstring& s) {
  const size_t a = s.find_first_not_of(L' ');
  return a == std::wstring::npos ? L"" : s.substr(a);
}

std::wstring TrimRight(const std::wstring& s) {
  const size_t b = s.find_last_not_of(L' ');
  return b == std::wstring::npos ? L"" : s.substr(0, b + 1);
}

// One message per illegal character, in order of occurrence.
// The user's own text around the fields of a text that takes them: a
// field's brackets, format and fallback are no part of any name.
std::wstring OwnText(const std::wstring& text, bool takesFields) {
  if (!takesFields || !HasFields(text)) return text;
  std::wstring own;
  for (const FieldPiece& piece : ParseFieldText(text).pieces)
    if (piece.choices.empty()) own += piece.literal;
  return own;
}

bool IllegalCharacters(const std::wstring& text, std::vector<std::wstring>& messages) {
  const std::vector<wchar_t> bad = IllegalNameCharacters(text);
  for (wchar_t c : bad) messages.push_back(Text(TextId::MsgIllegalCharacters) + L" " + c);
  return !bad.empty();
}

// The base length of a row's name in characters: the name without its
// extension ("[dir]" counts 0).
int64_t BaseLength(const FileList& list, int row) {
  const FileRow& r = list.Row(row);
  return static_cast<int64_t>(CodePointCount(r.name)) - (r.isDir ? 0 : static_cast<int64_t>(CodePointCount(r.ext)));
}

bool AnyRowShorterThan(const FileList& list, int64_t length, int64_t* shortest = nullptr) {
  if (list.Empty()) return false;
  for (int row = 0; row < list.RowCount(); ++row) {
    const int64_t l = BaseLength(list, row);
    if (l < length) {
      if (shortest) *shortest = l;
      return true;
    }
  }
  return false;
}

// Checks 7 and 8: a number box that does not read starts over at "001", and
// one narrower than the row count gets leading zeros.
int64_t CheckCounterBox(std::wstring& box, int64_t rows, std::vector<std::wstring>& messages) {
  if (!ReadCounterText(box)) {
    messages.push_back(box + Text(TextId::MsgNotANumber));
    box = L"001";
  }
  const int digits = DecimalDigits(rows);
  if (static_cast<int64_t>(CodePointCount(box)) < digits) {
    messages.push_back(Text(TextId::MsgNumberOfDigits) + box + Text(TextId::MsgDigitsNotEnough) +
                       std::to_wstring(digits) + Text(TextId::MsgDigits));
    box = WidenCounterText(box, rows);
  }
  auto counter = ReadCounterText(box);
  return counter ? counter->first : 1;
}

}  // namespace

CheckResult CheckRenameTask(const RenameTask& request, const FileList& list, const DateLocale& dates) {
  CheckResult out;
  out.task = request;
  RenameTask& t = out.task;
  auto stop = [&](CheckFocus focus) {
    out.stop = true;
    out.focus = focus;
    return out;
  };
  const int op = t.Operation;
  if (op == kNoOperation) {
    out.messages.push_back(Text(TextId::MsgChooseOption));
    return stop(CheckFocus::None);
  }
  if (t.RenameTo.empty() && op < kOpCapitalize) {
    out.messages.push_back(Text(TextId::MsgNoRenameTo));
    return stop(CheckFocus::RenameTo);
  }
  // A pattern is no part of a name: the names it makes are checked row by row.
  const bool findIsPattern = op == kOpReplace && t.ReplacePattern;
  if (const std::wstring error = FieldError(t); !error.empty()) {
    out.messages.push_back(error);
    return stop(op == kOpCreateNames ? CheckFocus::Prefix : CheckFocus::RenameTo);
  }
  // Operations 3, 4 and 5 read the box as it stands; 1 and 2 fill its
  // fields in, and the others leave it be (a text with fields typed for 1
  // stays in the box when another operation is chosen).
  const bool ownText = op != kOpRemove && op != kOpReplace && op != kOpChangeExtension;
  if (!findIsPattern && IllegalCharacters(OwnText(t.RenameTo, ownText), out.messages)) return stop(CheckFocus::RenameTo);
  if (const std::wstring error = PatternError(t); !error.empty()) {
    out.messages.push_back(error);
    return stop(CheckFocus::RenameTo);
  }
  if (op == kOpCreateNames && TrimLeft(t.Prefix).empty() && TrimRight(t.Suffix).empty()) {
    out.messages.push_back(Text(TextId::MsgNoRenameTo) + L"\r\n" + Text(TextId::MsgPrefixOrSuffix));
    return stop(CheckFocus::Prefix);
  }
  const bool names = op == kOpCreateNames;
  const std::wstring prefix = OwnText(t.Prefix, names), suffix = OwnText(t.Suffix, names);
  if (IllegalCharacters(prefix, out.messages) || IllegalCharacters(suffix, out.messages))
    return stop(CheckFocus::Prefix);

  const int64_t rows = list.EntryCount();
  if (op == kOpNumerate) out.firstCounter = CheckCounterBox(t.StartNumber, rows, out.messages);
  if (op == kOpCreateNames) out.firstCounter = CheckCounterBox(t.CounterStart, rows, out.messages);
  if (op == kOpChangeDateTime) {
    const std::optional<DateTime> date = dates.readShortDate ? dates.readShortDate(t.NewDate) : std::nullopt;
    if (!date) {
      out.messages.push_back(t.NewDate + Text(TextId::MsgDateFormatMustBe) + dates.shortDateFormat);
      return stop(CheckFocus::DateBox);
    }
    if (date->year < 1980) {
      out.messages.push_back(Text(TextId::MsgDateBefore1980));
      return stop(CheckFocus::None);
    }
    out.rememberDate = t.NewDate;
    if (!(dates.readLongTime && dates.readLongTime(t.NewTime))) {
      out.messages.push_back(t.NewTime + Text(TextId::MsgTimeFormatMustBe) + dates.longTimeFormat);
      return stop(CheckFocus::TimeBox);
    }
  }
  if (op == kOpAddFromBegin || op == kOpAddFromEnd) {
    int64_t shortest = 0;
    if (AnyRowShorterThan(list, t.InsertAt, &shortest)) {
      out.messages.push_back(Text(TextId::MsgValueTooLarge));
      t.InsertAt = static_cast<int>(shortest);
      return stop(CheckFocus::None);
    }
  }
  const std::wstring wrongTrim = Text(TextId::MsgWrongTrimSize);
  if ((op == kOpTrimFromBegin || op == kOpTrimFromEnd) && t.TrimCount > 0 &&
      AnyRowShorterThan(list, static_cast<int64_t>(t.TrimCount) + t.TrimAt)) {
    out.messages.push_back(wrongTrim);
    return stop(CheckFocus::None);
  }
  if (op == kOpTrimBetween && (t.KeepHead > 0 || t.KeepTail > 0) &&
      AnyRowShorterThan(list, static_cast<int64_t>(t.KeepHead) + t.KeepTail)) {
    out.messages.push_back(wrongTrim);
    return stop(CheckFocus::None);
  }
  // Windows' own limit: measured as Windows measures a name.
  if (op == kOpCreateNames && Utf16Length(prefix) + Utf16Length(t.CounterStart) + Utf16Length(suffix) > 230) {
    out.messages.push_back(Text(TextId::MsgOptionsTooLong) + L"\r" + Text(TextId::MsgWindowsLimit));
    return stop(CheckFocus::None);
  }
  if (op == kOpChangeExtension) t.RenameTo = CleanExtensionText(t.RenameTo);
  return out;
}

}  // namespace rn
