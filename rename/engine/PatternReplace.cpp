#include "engine/PatternReplace.h"

#include <boost/regex.hpp>
#include <cctype>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "base/Texts.h"
#include "base/Unicode.h"
#include "engine/Transforms.h"

namespace rn {

namespace {

namespace rc = boost::regex_constants;

// Boost's requirements of a traits class, for code points: every answer
// comes from Unicode.h, so a pattern means the same on every build.
class CodePointTraits {
 public:
  using char_type = char32_t;
  using size_type = std::size_t;
  using string_type = std::u32string;
  using locale_type = int;  // nothing depends on a locale
  using char_class_type = uint32_t;
  struct boost_extensions_tag {};

  static size_type length(const char_type* p) { return std::char_traits<char32_t>::length(p); }
  rc::syntax_type syntax_type(char_type c) const {
    return c > 0 && c < 0x7F ? boost::BOOST_REGEX_DETAIL_NS::get_default_syntax_type(static_cast<char>(c))
                             : rc::syntax_char;
  }
  rc::escape_syntax_type escape_syntax_type(char_type c) const {
    return c > 0 && c < 0x7F ? boost::BOOST_REGEX_DETAIL_NS::get_default_escape_syntax_type(static_cast<char>(c))
                             : rc::escape_type_identity;
  }
  char_type translate(char_type c) const { return c; }
  char_type translate_nocase(char_type c) const { return FoldCodePoint(c); }
  char_type translate(char_type c, bool icase) const { return icase ? FoldCodePoint(c) : c; }
  // Ranges and equivalence classes compare code points (and folded ones).
  string_type transform(const char_type* p1, const char_type* p2) const { return string_type(p1, p2); }
  string_type transform_primary(const char_type* p1, const char_type* p2) const {
    string_type out(p1, p2);
    for (char32_t& c : out) c = FoldCodePoint(c);
    return out;
  }
  char_class_type lookup_classname(const char_type* p1, const char_type* p2) const;
  string_type lookup_collatename(const char_type* p1, const char_type* p2) const {
    if (p2 - p1 == 1) return string_type(p1, p2);
    std::string name;
    for (const char_type* p = p1; p != p2; ++p) {
      if (*p >= 0x7F) return {};
      name += static_cast<char>(*p);
    }
    const std::string found = boost::BOOST_REGEX_DETAIL_NS::lookup_default_collate_name(name);
    return string_type(found.begin(), found.end());
  }
  bool isctype(char_type c, char_class_type mask) const;
  int value(char_type c, int radix) const {
    const int v = c >= U'0' && c <= U'9'   ? static_cast<int>(c - U'0')
                  : c >= U'a' && c <= U'z' ? static_cast<int>(c - U'a') + 10
                  : c >= U'A' && c <= U'Z' ? static_cast<int>(c - U'A') + 10
                                           : -1;
    return v < radix ? v : -1;
  }
  std::intmax_t toi(const char_type*& p1, const char_type* p2, int radix) const {
    return boost::BOOST_REGEX_DETAIL_NS::global_toi(p1, p2, radix, *this);
  }
  std::string error_string(rc::error_type e) const { return boost::BOOST_REGEX_DETAIL_NS::get_default_error_string(e); }
  locale_type imbue(locale_type l) { return l; }
  locale_type getloc() const { return 0; }
};

// The classes a character can be in, one bit each; a class name is a set of them.
constexpr uint32_t kLetter = 1, kDigit = 2, kUpper = 4, kLower = 8, kSpace = 16;
constexpr uint32_t kBlank = 32;     // horizontal space
constexpr uint32_t kVertical = 64;  // line and paragraph ends
constexpr uint32_t kPunct = 128;    // punctuation and, in ASCII, symbols (as POSIX has it)
constexpr uint32_t kControl = 256, kMark = 512, kConnector = 1024, kSymbol = 2048;
constexpr uint32_t kNumber = 4096;    // numbers other than decimal digits
constexpr uint32_t kHexDigit = 8192;  // ASCII only
constexpr uint32_t kBeyondLatin1 = 16384;
constexpr uint32_t kGraph = kLetter | kDigit | kPunct | kMark | kConnector | kSymbol | kNumber;
constexpr uint32_t kWord = kLetter | kDigit | kMark | kConnector;

struct ClassName {
  std::string_view name;
  uint32_t mask;
};
// The POSIX names, Perl's escapes (\d \s \w \h \v \l \u) and a few of
// Unicode's general categories (\p{L} ...).
constexpr ClassName kClassNames[] = {
    {"alnum", kLetter | kDigit},
    {"alpha", kLetter},
    {"blank", kBlank},
    {"cntrl", kControl},
    {"d", kDigit},
    {"digit", kDigit},
    {"graph", kGraph},
    {"h", kBlank},
    {"l", kLower},
    {"lower", kLower},
    {"print", kGraph | kBlank},
    {"punct", kPunct},
    {"s", kSpace},
    {"space", kSpace},
    {"u", kUpper},
    {"unicode", kBeyondLatin1},
    {"upper", kUpper},
    {"v", kVertical},
    {"w", kWord},
    {"word", kWord},
    {"xdigit", kHexDigit},
    {"L", kLetter},
    {"Lu", kUpper},
    {"Ll", kLower},
    {"M", kMark},
    {"N", kDigit | kNumber},
    {"Nd", kDigit},
    {"P", kPunct | kConnector},
    {"S", kSymbol},
    {"Z", kSpace},
};

CodePointTraits::char_class_type CodePointTraits::lookup_classname(const char_type* p1, const char_type* p2) const {
  std::string name;
  for (const char_type* p = p1; p != p2; ++p) {
    if (*p >= 0x7F) return 0;
    name += static_cast<char>(*p);
  }
  for (const ClassName& c : kClassNames)
    if (c.name == name) return c.mask;
  return 0;
}

bool CodePointTraits::isctype(char_type c, char_class_type mask) const {
  const CharKind kind = CharKindOf(c);
  const bool vertical = (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
  const bool blank = c == U'\t' || (kind == CharKind::Space && !vertical);
  uint32_t has = 0;
  if (kind == CharKind::Letter)
    has |= kLetter | (IsUpperCodePoint(c) ? kUpper : 0) | (IsLowerCodePoint(c) ? kLower : 0);
  if (kind == CharKind::Digit) has |= kDigit;
  if (kind == CharKind::Mark) has |= kMark;
  if (kind == CharKind::Connector) has |= kConnector | kPunct;
  if (kind == CharKind::Punctuation || (kind == CharKind::Symbol && c < 0x80)) has |= kPunct;
  if (kind == CharKind::Symbol) has |= kSymbol;
  if (kind == CharKind::Number) has |= kNumber;
  if (kind == CharKind::Control) has |= kControl;
  if (blank) has |= kBlank | kSpace;
  if (vertical) has |= kVertical | kSpace;
  if (c < 0x80 && std::isxdigit(static_cast<int>(c))) has |= kHexDigit;
  if (c > 0xFF) has |= kBeyondLatin1;
  return (has & mask) != 0;
}

using Regex = boost::basic_regex<char32_t, CodePointTraits>;

// A name as the pattern sees it: its code points (a pair is one, a lone
// surrogate is its own), and where each starts among the name's units, so
// that what no match touches is copied unit for unit.
struct CodePoints {
  std::u32string text;
  std::vector<size_t> at;  // one more than text: the end
};

CodePoints ToCodePoints(const std::wstring& s) {
  CodePoints out;
  for (size_t i = 0; i < s.size(); i += CharUnitsAt(s, i)) {
    out.at.push_back(i);
    const char32_t unit = static_cast<char32_t>(s[i]) & (sizeof(wchar_t) == 2 ? 0xFFFFu : 0xFFFFFFFFu);
    out.text += CharUnitsAt(s, i) == 2
                    ? 0x10000 + ((unit - 0xD800) << 10) + ((static_cast<char32_t>(s[i + 1]) & 0xFFFF) - 0xDC00)
                    : unit;
  }
  out.at.push_back(s.size());
  return out;
}

size_t LoneSurrogates(const std::wstring& s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); i += CharUnitsAt(s, i))
    n += CharUnitsAt(s, i) == 1 && (IsHighSurrogate(s[i]) || IsLowSurrogate(s[i]));
  return n;
}

// A piece of the replacement: its own text, or the text of a group.
struct Piece {
  std::wstring text;
  int group = -1;
};

std::wstring Place(size_t units, const std::wstring& text) { return std::to_wstring(CodePointIndex(text, units) + 1); }

bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsNameCharacter(wchar_t c) {
  return IsAsciiDigit(c) || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_';
}

}  // namespace

struct CompiledPattern {
  std::wstring error;  // why it does not compile; empty when it does
  bool empty = true;   // no find text: nothing changes
  Regex regex;
  std::vector<Piece> pieces;
};

namespace {

// Where the "(" or "[" that is never closed stands, the pattern read as
// Perl reads it (escapes and classes passed over); npos when none is found.
size_t UnclosedAt(const std::u32string& p, char32_t opener) {
  std::vector<size_t> open;
  size_t set = std::u32string::npos;  // where the class being read starts
  for (size_t i = 0; i < p.size(); ++i) {
    const char32_t c = p[i];
    if (c == U'\\') {
      ++i;
    } else if (set != std::u32string::npos) {
      const size_t first = set + (set + 1 < p.size() && p[set + 1] == U'^' ? 2 : 1);  // a "]" there is itself
      if (c == U'[' && i + 1 < p.size() && p[i + 1] == U':' && p.find(U":]", i + 2) != std::u32string::npos)
        i = p.find(U":]", i + 2) + 1;
      else if (c == U']' && i > first)
        set = std::u32string::npos;
    } else if (c == U'[') {
      set = i;
    } else if (c == U'(') {
      open.push_back(i);
    } else if (c == U')' && !open.empty()) {
      open.pop_back();
    }
  }
  if (opener == U'[') return set;
  return open.empty() ? std::u32string::npos : open.back();
}

// Boost's complaint as the program says it, at the character it is about
// (Boost's place is often just past it).
std::wstring CompileMessage(const boost::regex_error& e, const std::u32string& pattern) {
  size_t at = std::min(static_cast<size_t>(std::max<std::ptrdiff_t>(e.position(), 0)), pattern.size());
  if (at == pattern.size() && at > 0) --at;
  TextId id = TextId::PatternError;
  char32_t opener = 0;
  switch (e.code()) {
    case rc::error_paren:
      id = pattern[at] == U')' ? TextId::PatternUnmatchedClose : TextId::PatternUnmatchedOpen;
      opener = pattern[at] == U')' ? 0 : U'(';
      break;
    case rc::error_brack:
      id = TextId::PatternUnmatchedBracket;
      opener = U'[';
      break;
    case rc::error_escape: id = TextId::PatternBadEscape; break;
    case rc::error_badrepeat:
      id = TextId::PatternBadRepeat;
      if (at > 0 && std::u32string_view(U"*+?{").find(pattern[at]) == std::u32string_view::npos) --at;
      break;
    case rc::error_brace:
    case rc::error_badbrace: id = TextId::PatternBadBraces; break;
    case rc::error_range: id = TextId::PatternBadRange; break;
    case rc::error_ctype:
    case rc::error_collate: id = TextId::PatternBadClass; break;
    case rc::error_backref: id = TextId::PatternBadBackReference; break;
    case rc::error_perl_extension: id = TextId::PatternBadGroup; break;
    case rc::error_complexity:
    case rc::error_space:
    case rc::error_stack:
    case rc::error_size: id = TextId::PatternTooComplex; break;
    default: break;
  }
  if (opener && UnclosedAt(pattern, opener) != std::u32string::npos) at = UnclosedAt(pattern, opener);
  return Text(id, {std::to_wstring(at + 1)});
}

// Reads the replacement into pieces; the error names the first reference to a
// group the pattern lacks.
std::vector<Piece> ReadReplacement(const std::wstring& with, const Regex& regex, std::wstring& error) {
  std::vector<Piece> pieces;
  auto literal = [&](std::wstring_view text) {
    if (pieces.empty() || pieces.back().group >= 0) pieces.push_back({});
    pieces.back().text += text;
  };
  auto group = [&](int index, size_t at, const std::wstring& spelled) {
    if (index < 0 || index > static_cast<int>(regex.mark_count())) {
      if (error.empty()) error = Text(TextId::PatternNoSuchGroup, {spelled, Place(at, with)});
      return;
    }
    pieces.push_back({L"", index});
  };
  for (size_t i = 0; i < with.size();) {
    const wchar_t c = with[i];
    const wchar_t next = i + 1 < with.size() ? with[i + 1] : L'\0';
    if (c == L'\\' && next >= L'1' && next <= L'9') {
      group(next - L'0', i, std::wstring(1, next));
      i += 2;
    } else if (c == L'$' && next == L'$') {
      literal(L"$");
      i += 2;
    } else if (c == L'$' && next == L'&') {
      group(0, i, L"&");
      i += 2;
    } else if (c == L'$' && IsAsciiDigit(next)) {
      const size_t digits = i + 2 < with.size() && IsAsciiDigit(with[i + 2]) ? 2 : 1;
      const std::wstring number = with.substr(i + 1, digits);
      group(std::stoi(number), i, number);
      i += 1 + digits;
    } else if (c == L'$' && next == L'{') {
      const size_t close = with.find(L'}', i + 2);
      const std::wstring name = close == std::wstring::npos ? L"" : with.substr(i + 2, close - i - 2);
      bool valid = !name.empty() && name.size() <= 32;
      for (wchar_t n : name) valid = valid && IsNameCharacter(n);
      if (!valid) {  // not a reference: as it is
        literal(L"$");
        ++i;
        continue;
      }
      int index = -1;
      if (name.find_first_not_of(L"0123456789") == std::wstring::npos) {
        index = name.size() <= 3 ? std::stoi(name) : -1;  // no pattern has a thousand groups
      } else {
        const std::u32string n32(name.begin(), name.end());
        index = regex.get_named_subs()->get_id(n32.data(), n32.data() + n32.size());
      }
      group(index, i, name);
      i = close + 1;
    } else {
      const size_t units = CharUnitsAt(with, i);
      literal(std::wstring_view(with).substr(i, units));
      i += units;
    }
  }
  return pieces;
}

}  // namespace

bool ReplacesByPattern(const RenameTask& task) {
  return task.Operation == kOpReplace && (task.ReplacePattern || task.ReplaceIgnoreCase);
}

std::shared_ptr<const CompiledPattern> CompilePattern(const std::wstring& find, const std::wstring& with, bool pattern,
                                                      bool ignoreCase) {
  auto out = std::make_shared<CompiledPattern>();
  if (find.empty()) return out;
  out->empty = false;
  const std::u32string text = ToCodePoints(find).text;
  // ^ and $ stand for the ends of the name only, as in Perl without /m.
  const rc::syntax_option_type flags = (pattern ? rc::perl | rc::no_mod_m : rc::literal) | (ignoreCase ? rc::icase : 0);
  try {
    out->regex.assign(text.data(), text.data() + text.size(), flags);
  } catch (const boost::regex_error& e) {
    out->error = CompileMessage(e, text);
    return out;
  }
  if (pattern)
    out->pieces = ReadReplacement(with, out->regex, out->error);
  else
    out->pieces = {Piece{with, -1}};
  return out;
}

std::shared_ptr<const CompiledPattern> PatternOf(const RenameTask& task) {
  // The preview and the run ask for every row: the last one is kept.
  struct Last {
    std::wstring find, with;
    bool pattern = false, ignoreCase = false;
    std::shared_ptr<const CompiledPattern> compiled;
  };
  thread_local Last last;
  const bool sameFind = last.compiled && last.find == task.RenameTo && last.pattern == task.ReplacePattern &&
                        last.ignoreCase == task.ReplaceIgnoreCase;
  if (sameFind && last.with == task.ReplaceWith) return last.compiled;
  if (sameFind && !last.compiled->empty && last.compiled->error.empty()) {
    // Only the replacement changed (fields give every row its own): the
    // compiled expression is shared, the replacement read anew.
    auto out = std::make_shared<CompiledPattern>(*last.compiled);
    if (task.ReplacePattern)
      out->pieces = ReadReplacement(task.ReplaceWith, out->regex, out->error);
    else
      out->pieces = {Piece{task.ReplaceWith, -1}};
    last.with = task.ReplaceWith;
    last.compiled = out;
    return out;
  }
  last = {task.RenameTo, task.ReplaceWith, task.ReplacePattern, task.ReplaceIgnoreCase,
          CompilePattern(task.RenameTo, task.ReplaceWith, task.ReplacePattern, task.ReplaceIgnoreCase)};
  return last.compiled;
}

std::wstring PatternError(const RenameTask& task) {
  if (!ReplacesByPattern(task)) return {};
  return PatternOf(task)->error;
}

const std::wstring& CompileError(const CompiledPattern& compiled) { return compiled.error; }

std::wstring ReplaceByPattern(const CompiledPattern& compiled, const std::wstring& name, bool isFolder) {
  if (compiled.empty || !compiled.error.empty()) return name;
  const size_t baseUnits = name.size() - ExtensionLength(name, isFolder);
  const std::wstring base = name.substr(0, baseUnits);
  const CodePoints points = ToCodePoints(base);
  const auto unitOf = [&](std::u32string::const_iterator it) {
    return points.at[static_cast<size_t>(it - points.text.begin())];
  };
  std::wstring out;
  size_t from = 0;  // the first unit of the base not yet copied
  try {
    using Matches = boost::regex_iterator<std::u32string::const_iterator, char32_t, CodePointTraits>;
    for (Matches it(points.text.begin(), points.text.end(), compiled.regex), end; it != end; ++it) {
      const auto& match = *it;
      const size_t start = unitOf(match[0].first);
      out.append(base, from, start - from);
      for (const Piece& piece : compiled.pieces) {
        if (piece.group < 0) {
          out += piece.text;
        } else if (match[piece.group].matched) {
          const size_t a = unitOf(match[piece.group].first);
          out.append(base, a, unitOf(match[piece.group].second) - a);
        }
      }
      from = unitOf(match[0].second);
    }
  } catch (const std::runtime_error&) {  // Boost's bound on the states a match may visit, or on its memory
    throw RowRefused(Text(TextId::MsgPatternTooSlow));
  }
  out.append(base, from, std::wstring::npos);
  out.append(name, baseUnits, std::wstring::npos);
  if (LoneSurrogates(out) > LoneSurrogates(name)) throw RowRefused(Text(TextId::MsgPatternSplitsCharacter));
  return out;
}

}  // namespace rn
