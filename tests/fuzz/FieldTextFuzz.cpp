// Texts with fields, made of the pieces fields are made of, read and expanded
// for one fixed entry whose values hold everything a name may not. A text
// reads or says why; a value never brings a character no name may hold; and
// as a pattern's replacement the expansion means what the user's text means
// around the values taken as they are.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Text.h"
#include "engine/FieldText.h"
#include "engine/PatternReplace.h"
#include "engine/Transforms.h"

using namespace rn;

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "field text check failed: %s\n", what);
  std::abort();
}

std::wstring Text(FuzzedDataProvider& in, size_t maxPieces) {
  static const std::wstring kHigh(1, static_cast<wchar_t>(0xD83D));
  // clang-format off
  static const std::wstring kPieces[] = {
      L"<", L">", L"|", L":", L" ", L"Taken", L"tAKEN", L"Modified", L"Created", L"Artist", L"Title", L"Album",
      L"Genre", L"Make", L"Model", L"Lens", L"Track", L"Width", L"ISO", L"Folder", L"Name", L"Ext", L"Nme",
      L"yyyy", L"yy", L"mmm", L"mm", L"dd", L"ddddd", L"hh", L"nn", L"ss", L"0", L"00", L"x", L"-", L"$", L"$1",
      L"$$", L"${", L"}", L"$&", L"\\", L"\\1", L"1", L"ω", L"日", L"\U0001F600", kHigh, L"\x01", L"/", L"*"};
  // clang-format on
  std::wstring s;
  for (unsigned char b : in.ConsumeRandomLengthString(maxPieces)) s += kPieces[b % std::size(kPieces)];
  return s;
}

MediaFields Media() {
  MediaFields m;
  m.Taken = DateTime{2021, 6, 5, 4, 3, 2};
  m.Artist = L"A/B:C*?\"<>|\\ $";
  m.Title = L"\x01\tTi\x7Ftle\x1F ";
  m.Album = L"$1 ${x} $& \\1";
  m.Make = L"   ";
  m.Model = L"\U0001F600日本";
  m.Track = 7;
  m.Width = -5;
  return m;
}

// A replacement as the pattern "^()" reads it, put in front of an empty base;
// nothing when it does not compile or would split a character.
std::optional<std::wstring> Read(const std::wstring& replacement) {
  const auto compiled = CompilePattern(L"^()", replacement, true, false);
  if (!CompileError(*compiled).empty()) return std::nullopt;
  try {
    const std::wstring out = ReplaceByPattern(*compiled, L".txt", false);
    return out.substr(0, out.size() - 4);
  } catch (const RowRefused&) {
    return std::nullopt;
  }
}

bool HasIllegal(const std::wstring& s) {
  for (size_t i = 0; i < s.size(); i += CharUnitsAt(s, i)) {
    const wchar_t c = s[i];
    if (CharUnitsAt(s, i) == 1 &&
        (static_cast<uint32_t>(c) < 0x20 || c == 0x7F || IsHighSurrogate(c) || IsLowSurrogate(c) ||
         std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring::npos))
      return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const MediaFields media = Media();
  static const FieldSource source{&media, DateTime{2020, 1, 2, 3, 4, 5}, std::nullopt, L"Trip", L"IMG_1", L""};
  FuzzedDataProvider in(data, size);
  const std::wstring text = Text(in, 64);
  const FieldText parsed = ParseFieldText(text);
  const FieldExpansion plain = ExpandFieldText(parsed, source, PortableDateLocale(), false);
  const FieldExpansion escaped = ExpandFieldText(parsed, source, PortableDateLocale(), true);
  Check(plain.refusal.empty() || plain.text.empty(), "a text or a refusal");
  Check(plain.refusal == escaped.refusal, "a refusal whatever the text is for");
  if (!parsed.error.empty()) {
    Check(plain.refusal == parsed.error, "a text that does not read is refused with its error");
    return 0;
  }
  if (!HasFields(text)) Check(plain.text == text && escaped.text == text, "no field, no change");
  if (!plain.refusal.empty()) return 0;

  // Piece by piece: the user's runs of text and the values between them.
  std::wstring users, expected, run;
  bool comparable = true;
  for (const FieldPiece& piece : parsed.pieces) {
    FieldPiece field = piece;
    field.fallback = false;  // the value alone, without the user's literal
    const std::wstring value =
        piece.choices.empty() ? L"" : ExpandFieldText({{field}, 0, {}}, source, PortableDateLocale(), false).text;
    if (value.empty()) {
      run += piece.literal;
      users += piece.literal;
      continue;
    }
    Check(!HasIllegal(value), "values are safe for a name");
    const std::optional<std::wstring> read = Read(run);
    comparable = comparable && read && !run.ends_with(L"\\");  // "\" and a digit: a reference no text can avoid
    expected += read.value_or(L"") + value;
    run.clear();
  }
  const std::optional<std::wstring> last = Read(run);
  const std::optional<std::wstring> whole = Read(escaped.text);
  if (comparable && last) {
    if (whole != expected + *last)
      std::fprintf(stderr, "text: %s\nreplacement: %s\n", Utf8FromWide(text).c_str(),
                   Utf8FromWide(escaped.text).c_str());
    Check(whole.has_value(), "values add no reference the pattern lacks");
    Check(*whole == expected + *last, "the values come out of the replacement as they are");
  }
  if (!HasIllegal(users)) Check(!HasIllegal(plain.text), "nothing no name may hold but what the user wrote");
  return 0;
}
