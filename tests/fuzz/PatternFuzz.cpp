// Patterns, replacements and names made of the pieces patterns are made of,
// through operation 4 with its flags. Nothing may crash or run past the
// bound on backtracking, a result never holds more halves of a surrogate
// pair than its name did and always keeps the extension, and the preview
// shows what the run does.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Text.h"
#include "engine/PatternReplace.h"
#include "engine/PreviewAgreement.h"
#include "engine/Transforms.h"

using namespace rn;

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "pattern check failed: %s\n", what);
  std::abort();
}

// Each byte is a piece: syntax, references, letters of several scripts and
// both cases, a character beyond U+FFFF and halves of one.
std::wstring Text(FuzzedDataProvider& in, size_t maxPieces) {
  static const std::wstring kHigh(1, static_cast<wchar_t>(0xD83D)), kLow(1, static_cast<wchar_t>(0xDE00));
  static const std::wstring kLargest(1, static_cast<wchar_t>(sizeof(wchar_t) == 2 ? 0xFFFF : 0x7FFFFFFF));
  // clang-format off
  static const std::wstring kPieces[] = {
      L"(", L")", L"(?<n>", L"(?<=", L"(?=", L"(?!", L"(?:", L"(?i)", L"[", L"]", L"[^", L"-", L"[[:alpha:]]",
      L"[[:upper:]]", L"\\w", L"\\d", L"\\s", L"\\b", L"\\p{L}", L"\\x{D83D}", L"\\Q", L"\\E", L"*", L"+", L"?",
      L"{2}", L"{1,3}", L"++", L"*?", L"|", L".", L"^", L"$", L"\\", L"\\1", L"\\2", L"$1", L"$12", L"${n}", L"${m}",
      L"${1234567890123}", L"$&", L"$0", L"$$", L"$", L"{", L"}", L"a", L"b", L"A", L"B", L"0", L"7", L" ", L"_",
      L".", L"é", L"É", L"Ω", L"ω", L"Ж", L"ж", L"ς", L"Σ", L"ß", L"\u2126", L"\U0001F600", kHigh, kLow, kLargest,
      L"x*", L"(a+)+", L":", L"\\n"};
  // clang-format on
  std::wstring s;
  for (unsigned char b : in.ConsumeRandomLengthString(maxPieces)) s += kPieces[b % std::size(kPieces)];
  return s;
}

size_t LoneSurrogates(const std::wstring& s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); i += CharUnitsAt(s, i))
    n += CharUnitsAt(s, i) == 1 && (IsHighSurrogate(s[i]) || IsLowSurrogate(s[i]));
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  RenameTask t;
  t.Operation = kOpReplace;
  t.ReplacePattern = in.ConsumeBool();
  t.ReplaceIgnoreCase = in.ConsumeBool();
  const bool isFolder = in.ConsumeBool();
  const bool longName = in.ConsumeBool();
  t.RenameTo = Text(in, 16);
  t.ReplaceWith = Text(in, 8);
  std::wstring name = Text(in, 40);
  if (longName) name = std::wstring(200, L'a') + name;  // room for runaway backtracking
  name = name.substr(0, 251) + L".txt";                 // no longer than Windows lets a name be

  const auto start = std::chrono::steady_clock::now();
  const std::wstring error = PatternError(t);
  try {
    const std::optional<std::wstring> p =
        ProposeName(t, name, isFolder, 0, {}, PortableCaseConverter(), PortableDateLocale());
    Check(p.has_value(), "operation 4 always proposes");
    if (!error.empty() || t.RenameTo.empty()) Check(*p == name, "a request that does not compile changes nothing");
    // (Plain text with both flags off is replaced as it always was, halves and all.)
    if (ReplacesByPattern(t)) Check(LoneSurrogates(*p) <= LoneSurrogates(name), "no half of a character made");
    Check(isFolder || p->ends_with(L".txt"), "the extension stays");
  } catch (const RowRefused& refused) {
    Check(!refused.reason.empty() && error.empty(), "a refusal says why, for a request that compiles");
  }
  // Boost bounds the states of each match; with the fuzzer's instrumentation a
  // state costs some twenty times what it costs in the program (the slowest
  // cases found take about 0.1 s there).
  Check(std::chrono::steady_clock::now() - start < std::chrono::seconds(5), "within the bound");
  Check(!error.empty() || !ReplacesByPattern(t) || PatternOf(t) != nullptr, "compiled");

  FileList list;
  rn::test::MemoryDisk disk;
  const std::wstring dir = L"C:\\d\\";
  if (!OnlySpaces(name)) {
    list.AddRow(dir + name, isFolder, L"");
    disk.Add(dir + name, isFolder ? EntryKind::Folder : EntryKind::File);
  }
  const std::string disagreement = rn::test::PreviewDisagreement(list, disk, t, PortableDateLocale());
  if (!disagreement.empty()) std::fprintf(stderr, "%s", disagreement.c_str());
  Check(disagreement.empty(), "the preview shows what the run does");
  return 0;
}
