// Random names and requests through every transform and date routine. The
// sanitizers catch any read or write outside a text; the checks below catch
// results that are not made of the pieces they must be made of, and a
// preview of a run that differs from what the run then does.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Text.h"
#include "engine/DateFormat.h"
#include "engine/NameShape.h"
#include "engine/Operation.h"
#include "engine/PreviewAgreement.h"
#include "engine/TimeStamp.h"
#include "engine/Transforms.h"

using namespace rn;

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "transform check failed: %s\n", what);
  std::abort();
}

// Texts come from the front of the input and numbers from its back, so both
// get bytes however short the input is. Mostly characters that matter to the
// transforms, sometimes characters beyond U+FFFF (as a written-out pair, which
// the native build keeps whole too, and as the compiler spells them) and the
// odd values (lone surrogates, the largest units).
std::wstring Text(FuzzedDataProvider& in, size_t maxLength) {
  static const std::wstring kPair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  static const wchar_t kAlphabet[] = L"aZz.. '`\u00B4()[]{};,-_09\u00E9\u00C9\u00FF\u0178\u03C2\u03A3\u0451dmynhs";
  static const uint32_t kOdd[16] = {0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xFFFF, 0xFFFE, 0x10FFFF, 0x7FFFFFFF,
                                    0x0,    0x1,    0x7F,   0xA0,   0xB5,   0x130,  0x131,    0x3A2};
  std::wstring s;
  for (unsigned char b : in.ConsumeRandomLengthString(maxLength)) {
    if (b >= 0xF0)
      s += static_cast<wchar_t>(kOdd[b - 0xF0] & (sizeof(wchar_t) == 2 ? 0xFFFFu : 0xFFFFFFFFu));
    else if (b >= 0xE0)
      s += b < 0xE8 ? kPair : std::wstring(L"\U0001D49C");
    else
      s += kAlphabet[b % (std::size(kAlphabet) - 1)];
  }
  return s;
}

// The panel's range most of the time, any int sometimes.
int Count(FuzzedDataProvider& in) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 254) : in.ConsumeIntegral<int>();
}

int Code(FuzzedDataProvider& in) { return in.ConsumeIntegralInRange(-1, 10); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  // Numbers first: the texts take what is left of the input.
  RenameTask t;
  t.Operation = in.ConsumeIntegralInRange(-2, 21);
  const bool isFolder = in.ConsumeBool();
  const int64_t k = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 16) : in.ConsumeIntegral<int64_t>();
  const int64_t k2 = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 16) : in.ConsumeIntegral<int64_t>();
  t.InsertAt = Count(in);
  t.TrimCount = Count(in);
  t.TrimAt = Count(in);
  t.KeepHead = Count(in);
  t.KeepTail = Count(in);
  t.EveryWord = in.ConsumeBool();
  t.CaseMode = Code(in);
  t.AddDatePart = Code(in);
  t.SetDatePart = Code(in);
  t.NumberStyle = Code(in);
  const int64_t counter = in.ConsumeIntegral<int64_t>();
  const int64_t rows = in.ConsumeIntegral<int64_t>();
  const uint32_t listBits = in.ConsumeIntegral<uint32_t>();
  DateTime stamp;
  stamp.year = in.ConsumeIntegral<int>(), stamp.month = in.ConsumeIntegralInRange(-1, 14);
  stamp.day = in.ConsumeIntegral<int>(), stamp.hour = in.ConsumeIntegral<int>();
  stamp.minute = in.ConsumeIntegral<int>(), stamp.second = in.ConsumeIntegral<int>();
  const bool listedFormat = in.ConsumeBool();
  const size_t formatIndex = in.ConsumeIntegralInRange<size_t>(0, 17);
  const std::wstring name = Text(in, 300);
  t.RenameTo = Text(in, 8);
  t.ReplaceWith = Text(in, 8);
  t.DateFormat = listedFormat ? std::wstring(kDateFormats[formatIndex]) : Text(in, 12);
  t.StartNumber = Text(in, 6);
  t.CounterStart = Text(in, 6);
  t.Prefix = Text(in, 6);
  t.Suffix = Text(in, 6);
  t.NewDate = Text(in, 12);
  t.NewTime = Text(in, 12);

  const CaseConverter& cases = PortableCaseConverter();
  const DateLocale& dates = PortableDateLocale();
  const std::optional<std::wstring> p = ProposeName(t, name, isFolder, counter, stamp, cases, dates);
  const size_t e = ExtensionLength(name, isFolder);
  const std::wstring ext = name.substr(name.size() - e);
  Check(e <= name.size(), "extension within the name");

  const bool named = KindOf(t.Operation) == OperationKind::Name;
  const bool badCode =
      (t.Operation == kOpConvertCase && t.CaseMode != kCaseUpper && t.CaseMode != kCaseLower) ||
      (t.Operation == kOpNumerate && (t.NumberStyle < kNumberName || t.NumberStyle > kNumberExtension)) ||
      ((t.Operation == kOpDateToBegin || t.Operation == kOpDateToEnd) &&
       (t.AddDatePart < kDatePartDate || t.AddDatePart > kDatePartBoth));
  Check(p.has_value() == (named && !badCode), "a proposal exactly for the name operations");
  // A character beyond U+FFFF is never cut in two: whole pairs in, whole pairs out.
  bool wholeInput = true;
  for (const std::wstring* s : std::initializer_list<const std::wstring*>{&name, &t.RenameTo, &t.ReplaceWith,
                                                                          &t.DateFormat, &t.Prefix, &t.Suffix})
    wholeInput = wholeInput && !HasLoneSurrogate(*s);
  if (p && wholeInput) Check(!HasLoneSurrogate(*p), "no lone surrogate made");
  if (p) {
    const std::wstring& r = *p;
    switch (t.Operation) {
      case kOpAddFromBegin:
      case kOpAddFromEnd:
        Check(rn::test::IsNameWithInsert(r, name, t.RenameTo), "insert keeps the name around the text");
        break;
      case kOpTrimFromBegin: Check(rn::test::IsNameWithOneCut(r, name), "trim from begin cuts one run"); break;
      case kOpTrimFromEnd:
      case kOpTrimBetween:
        Check(rn::test::IsNameWithOneCut(r, name), "trim cuts one run");
        Check(r.ends_with(ext), "trim keeps the extension");
        break;
      case kOpRemove: Check(r.size() <= name.size() && r.ends_with(ext), "remove keeps the extension"); break;
      case kOpReplace: Check(r.ends_with(ext), "replace keeps the extension"); break;
      case kOpChangeExtension:
        Check(isFolder ? r == name : r.starts_with(name.substr(0, name.size() - e) + L"."), "extension change");
        break;
      case kOpCapitalize:
      case kOpConvertCase: Check(r.size() == name.size(), "case changes keep the length"); break;
      case kOpNumerate: Check(r.ends_with(ext), "numbering keeps the extension"); break;
      case kOpCreateNames: Check(r.ends_with(t.Suffix + ext), "new names end in suffix and extension"); break;
      case kOpDateToBegin: Check(r.ends_with(L"_" + name), "stamp in front"); break;
      case kOpDateToEnd: Check(r.ends_with(ext) && r.find(L'_') != std::wstring::npos, "stamp at the end"); break;
      default: Check(false, "proposal for an unknown operation");
    }
  }

  // The helpers on their own, with any values.
  Check(HeadOf(name, k).size() <= name.size() && TailOf(name, k).size() <= name.size() &&
            FromPosition(name, k).size() <= name.size(),
        "cuts within the name");
  Check(NumberText(counter, t.StartNumber.size()).size() >= t.StartNumber.size(), "number padded");
  const std::wstring widened = WidenCounterText(t.StartNumber, rows);
  Check(widened.size() >= t.StartNumber.size(), "widening only adds");
  Check(rn::test::IsNameWithInsert(InsertFromBegin(name, t.RenameTo, k), name, t.RenameTo),
        "insert from begin, any count");
  Check(rn::test::IsNameWithInsert(InsertFromEnd(name, isFolder, t.RenameTo, k), name, t.RenameTo),
        "insert from end, any count");
  Check(rn::test::IsNameWithOneCut(TrimFromBegin(name, k, k2), name), "trim from begin, any count");
  Check(rn::test::IsNameWithOneCut(TrimFromEnd(name, isFolder, k, k2), name), "trim from end, any count");
  Check(rn::test::IsNameWithOneCut(KeepHeadAndTail(name, isFolder, k, k2), name), "keep head and tail, any count");
  if (!HasLoneSurrogate(name)) {
    for (const std::wstring& cut : {HeadOf(name, k), TailOf(name, k), FromPosition(name, k), TrimFromBegin(name, k, k2),
                                    TrimFromEnd(name, isFolder, k, k2), KeepHeadAndTail(name, isFolder, k, k2)})
      Check(!HasLoneSurrogate(cut), "a cut keeps pairs whole");
  }
  (void)ReadCounterText(t.CounterStart);
  Check(CleanExtensionText(t.RenameTo).find(L'.') == std::wstring::npos, "cleaned extension has no dot");
  (void)IllegalNameCharacters(name);
  (void)FormatDatePattern(t.DateFormat, stamp, dates);
  if (auto d = dates.readShortDate(t.NewDate)) Check(d->day >= 1 && d->day <= DaysInMonth(d->year, d->month), "date");
  if (auto tm = dates.readLongTime(t.NewTime)) Check(tm->hour >= 0 && tm->hour < 24 && tm->minute < 60, "time");
  (void)ReadDate(name, DateOrder::YMD, t.Suffix);
  (void)ReadTime(name, t.Prefix, t.RenameTo, t.ReplaceWith);
  if (auto s = ChangedTimeStamp(t, stamp, dates)) (void)IsStorableTimeStamp(*s);

  // The preview against the run, on a small list made of the texts: three
  // bits a row say whether it is checked and whether it is on disk.
  FileList list;
  rn::test::MemoryDisk disk;
  const std::wstring dir = L"C:\\d\\";
  int bit = 0;
  for (const std::wstring& row :
       {name, t.RenameTo + L".txt", t.Prefix + t.Suffix, name + t.ReplaceWith, t.CounterStart}) {
    if (OnlySpaces(row) || list.ContainsPath(dir + row)) continue;
    const bool folder = bit == 0 && isFolder;
    const int r = list.AddRow(dir + row, folder, L"");
    list.Row(r).checked = (listBits >> bit & 1) == 0;
    if ((listBits >> (bit + 1) & 3) != 3) disk.Add(dir + row, folder ? EntryKind::Folder : EntryKind::File);
    bit += 3;
  }
  if (listBits >> 15 & 1) disk.Add(dir + t.RenameTo + name, EntryKind::File);
  if (listBits >> 16 & 1) disk.Add(dir + t.Suffix + L".txt", EntryKind::Folder);
  const std::string disagreement = rn::test::PreviewDisagreement(list, disk, t, dates);
  if (!disagreement.empty()) std::fprintf(stderr, "%s", disagreement.c_str());
  Check(disagreement.empty(), "the preview shows what the run does");
  return 0;
}
