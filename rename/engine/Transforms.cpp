#include "engine/Transforms.h"

#include <algorithm>

#include "base/Text.h"
#include "engine/DateFormat.h"
#include "engine/PatternReplace.h"

namespace rn {

namespace {

constexpr wchar_t kAcute = static_cast<wchar_t>(0xB4);

int64_t Count(const std::wstring& s) { return static_cast<int64_t>(CodePointCount(s)); }

// A count or position clipped to 0..length (in characters) first: any value
// beyond the text acts like the length, and the sums below can then never
// overflow.
int64_t Bounded(int64_t v, const std::wstring& s) {
  if (v <= 0) return 0;
  const int64_t length = Count(s);
  return v >= length ? length : v;
}

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The first character upper-cased and the rest lower-cased: a character
// beyond U+FFFF goes to the conversion whole.
std::wstring UpperFirstLowerRest(const std::wstring& s, const CaseConverter& cases) {
  const size_t first = UnitOffset(s, 1);
  return cases.upper(s.substr(0, first)) + cases.lower(s.substr(first));
}

// A name cut into its base and its extension.
struct Split {
  std::wstring base, ext;
};
Split SplitName(const std::wstring& name, bool isFolder) {
  const size_t e = ExtensionLength(name, isFolder);
  return {name.substr(0, name.size() - e), name.substr(name.size() - e)};
}

std::wstring CapitalizeWords(const std::wstring& rest, size_t extLength, const CaseConverter& cases) {
  const std::wstring base = rest.substr(0, rest.size() - extLength);
  std::wstring out;
  if (!base.empty()) {
    const std::wstring word = UpperFirstLowerRest(base, cases);
    // After a separator the next character starts a word; an apostrophe right
    // after an ASCII letter belongs to the word (o'neil, rock'n'roll).
    bool startWord = false;
    for (size_t i = 0, n = 0; i < word.size(); i += n) {
      n = CharUnitsAt(word, i);
      const wchar_t c = word[i];
      const wchar_t before = out.empty() ? L'\0' : out.back();  // the last character output
      const std::wstring character = word.substr(i, n);
      out += startWord ? cases.upper(character) : character;
      const bool inWordApostrophe = IsApostrophe(c) && i > 0 && IsAsciiLetter(before);
      startWord = IsWordSeparator(c) && !inWordApostrophe;
    }
  }
  return out + AsciiLower(rest.substr(rest.size() - extLength));
}

}  // namespace

bool IsApostrophe(wchar_t c) { return c == L'\'' || c == L'`' || c == kAcute; }

bool IsOpener(wchar_t c) { return IsApostrophe(c) || std::wstring_view(L"();[]{}").find(c) != std::wstring_view::npos; }

bool IsWordSeparator(wchar_t c) { return IsOpener(c) || c == L' ' || c == L',' || c == L'.'; }

size_t ExtensionLength(const std::wstring& name, bool isFolder) {
  if (isFolder) return 0;
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? 0 : name.size() - dot;
}

std::wstring HeadOf(const std::wstring& s, int64_t k) { return FirstCodePoints(s, static_cast<size_t>(Bounded(k, s))); }

std::wstring TailOf(const std::wstring& s, int64_t k) { return LastCodePoints(s, static_cast<size_t>(Bounded(k, s))); }

std::wstring FromPosition(const std::wstring& s, int64_t p) {
  return s.substr(UnitOffset(s, p <= 1 ? 0 : static_cast<size_t>(Bounded(p - 1, s))));
}

std::wstring NumberText(int64_t counter, size_t width) {
  const uint64_t magnitude = counter < 0 ? 0u - static_cast<uint64_t>(counter) : static_cast<uint64_t>(counter);
  std::wstring digits = std::to_wstring(magnitude);
  if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
  return counter < 0 ? L"-" + digits : digits;
}

std::wstring InsertFromBegin(const std::wstring& name, const std::wstring& text, int64_t n) {
  return HeadOf(name, n) + text + FromPosition(name, Bounded(n, name) + 1);
}

std::wstring InsertFromEnd(const std::wstring& name, bool isFolder, const std::wstring& text, int64_t n) {
  const Split parts = SplitName(name, isFolder);
  const int64_t keep = Bounded(n, parts.base);  // the part of the base after the text
  return HeadOf(parts.base, Count(parts.base) - keep) + text + TailOf(parts.base, keep) + parts.ext;
}

std::wstring ReplaceInBase(const std::wstring& name, bool isFolder, const std::wstring& find,
                           const std::wstring& with) {
  const Split parts = SplitName(name, isFolder);
  if (find.empty()) return name;
  std::wstring out;
  size_t from = 0;
  for (size_t at; (at = parts.base.find(find, from)) != std::wstring::npos; from = at + find.size())
    out.append(parts.base, from, at - from).append(with);
  out.append(parts.base, from, std::wstring::npos);
  return out + parts.ext;
}

std::wstring ChangeExtension(const std::wstring& name, bool isFolder, const std::wstring& renameTo) {
  if (isFolder) return name;
  return SplitName(name, false).base + L"." + CleanExtensionText(renameTo);
}

std::wstring Capitalize(const std::wstring& name, bool isFolder, bool everyWord, const CaseConverter& cases) {
  if (name.empty()) return name;
  const size_t skip = IsOpener(name[0]) ? 1 : 0;
  const std::wstring rest = name.substr(skip);
  std::wstring out = name.substr(0, skip);
  if (everyWord) return out + CapitalizeWords(rest, std::min(ExtensionLength(name, isFolder), rest.size()), cases);
  if (rest.empty()) return out;
  return out + UpperFirstLowerRest(rest, cases);
}

std::optional<std::wstring> ConvertCase(const std::wstring& name, int caseMode, const CaseConverter& cases) {
  if (caseMode == kCaseUpper) return cases.upper(name);
  if (caseMode == kCaseLower) return cases.lower(name);
  return std::nullopt;
}

std::wstring TrimFromBegin(const std::wstring& name, int64_t count, int64_t at) {
  const int64_t p = Bounded(at, name);
  return HeadOf(name, p) + FromPosition(name, p + Bounded(count, name) + 1);
}

std::wstring TrimFromEnd(const std::wstring& name, bool isFolder, int64_t count, int64_t at) {
  const Split parts = SplitName(name, isFolder);
  const int64_t keepTail = Bounded(at, parts.base);
  const int64_t keepHead = Count(parts.base) - keepTail - Bounded(count, parts.base);
  return HeadOf(parts.base, keepHead) + TailOf(parts.base, keepTail) + parts.ext;
}

std::wstring KeepHeadAndTail(const std::wstring& name, bool isFolder, int64_t head, int64_t tail) {
  const Split parts = SplitName(name, isFolder);
  const int64_t h = Bounded(head, parts.base);
  const int64_t t = std::min(Bounded(tail, parts.base), Count(parts.base) - h);
  return HeadOf(parts.base, h) + TailOf(parts.base, t) + parts.ext;
}

std::optional<std::wstring> Numerate(const std::wstring& name, bool isFolder, int numberStyle,
                                     const std::wstring& number) {
  const Split parts = SplitName(name, isFolder);
  switch (numberStyle) {
    case kNumberName: return number + name;
    case kNameNumber: return parts.base + number + parts.ext;
    case kNumberExtension: return number + parts.ext;
    default: return std::nullopt;
  }
}

std::wstring CreateName(const std::wstring& name, bool isFolder, const std::wstring& prefix, const std::wstring& number,
                        const std::wstring& suffix) {
  const size_t start = std::min(prefix.find_first_not_of(L' '), prefix.size());
  return prefix.substr(start) + number + suffix + SplitName(name, isFolder).ext;
}

std::wstring AddStampToBegin(const std::wstring& name, const std::wstring& stamp) { return stamp + L"_" + name; }

std::wstring AddStampToEnd(const std::wstring& name, bool isFolder, const std::wstring& stamp) {
  const Split parts = SplitName(name, isFolder);
  return parts.base + L"_" + stamp + parts.ext;
}

bool UsesCounter(OperationId id) { return id == kOpNumerate || id == kOpCreateNames; }

std::optional<std::wstring> ProposeName(const RenameTask& task, const std::wstring& name, bool isFolder,
                                        int64_t counter, const DateTime& stamp, const CaseConverter& cases,
                                        const DateLocale& dates) {
  switch (task.Operation) {
    case kOpAddFromBegin: return InsertFromBegin(name, task.RenameTo, task.InsertAt);
    case kOpAddFromEnd: return InsertFromEnd(name, isFolder, task.RenameTo, task.InsertAt);
    case kOpRemove: return ReplaceInBase(name, isFolder, task.RenameTo, L"");
    case kOpReplace:
      if (ReplacesByPattern(task)) return ReplaceByPattern(*PatternOf(task), name, isFolder);
      return ReplaceInBase(name, isFolder, task.RenameTo, task.ReplaceWith);
    case kOpChangeExtension: return ChangeExtension(name, isFolder, task.RenameTo);
    case kOpCapitalize: return Capitalize(name, isFolder, task.EveryWord, cases);
    case kOpConvertCase: return ConvertCase(name, task.CaseMode, cases);
    case kOpTrimFromBegin: return TrimFromBegin(name, task.TrimCount, task.TrimAt);
    case kOpTrimFromEnd: return TrimFromEnd(name, isFolder, task.TrimCount, task.TrimAt);
    case kOpTrimBetween: return KeepHeadAndTail(name, isFolder, task.KeepHead, task.KeepTail);
    case kOpNumerate:
      return Numerate(name, isFolder, task.NumberStyle, NumberText(counter, CodePointCount(task.StartNumber)));
    case kOpCreateNames:
      return CreateName(name, isFolder, task.Prefix, NumberText(counter, CodePointCount(task.CounterStart)),
                        task.Suffix);
    case kOpDateToBegin:
    case kOpDateToEnd: {
      const std::optional<std::wstring> text = DateStamp(task.AddDatePart, task.DateFormat, stamp, dates);
      if (!text) return std::nullopt;
      return task.Operation == kOpDateToBegin ? AddStampToBegin(name, *text) : AddStampToEnd(name, isFolder, *text);
    }
    default: return std::nullopt;
  }
}

}  // namespace rn
