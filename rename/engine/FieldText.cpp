#include "engine/FieldText.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/Text.h"
#include "base/Texts.h"
#include "engine/DateFormat.h"
#include "engine/Transforms.h"

namespace rn {

namespace {

enum class FieldKind { Date, Number, Text };

struct FieldName {
  FieldId id;
  const wchar_t* name;
  FieldKind kind;
};
constexpr FieldName kFieldNames[] = {
    {FieldId::Taken, L"Taken", FieldKind::Date},
    {FieldId::Make, L"Make", FieldKind::Text},
    {FieldId::Model, L"Model", FieldKind::Text},
    {FieldId::Lens, L"Lens", FieldKind::Text},
    {FieldId::Width, L"Width", FieldKind::Number},
    {FieldId::Height, L"Height", FieldKind::Number},
    {FieldId::Iso, L"ISO", FieldKind::Number},
    {FieldId::Artist, L"Artist", FieldKind::Text},
    {FieldId::AlbumArtist, L"AlbumArtist", FieldKind::Text},
    {FieldId::Album, L"Album", FieldKind::Text},
    {FieldId::Title, L"Title", FieldKind::Text},
    {FieldId::Track, L"Track", FieldKind::Number},
    {FieldId::Disc, L"Disc", FieldKind::Number},
    {FieldId::Year, L"Year", FieldKind::Number},
    {FieldId::Genre, L"Genre", FieldKind::Text},
    {FieldId::Modified, L"Modified", FieldKind::Date},
    {FieldId::Created, L"Created", FieldKind::Date},
    {FieldId::Folder, L"Folder", FieldKind::Text},
    {FieldId::Name, L"Name", FieldKind::Text},
    {FieldId::Ext, L"Ext", FieldKind::Text},
};
static_assert(std::size(kFieldNames) == static_cast<size_t>(FieldId::Count));
static_assert(kMediaFieldSet == (FieldBit(FieldId::Genre) << 1) - 1, "the media fields come first");

const FieldName& NameOf(FieldId id) { return kFieldNames[static_cast<size_t>(id)]; }

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::optional<FieldId> FieldNamed(const std::wstring& name) {
  for (const FieldName& f : kFieldNames) {
    const std::wstring_view known = f.name;
    if (known.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i) same = AsciiLower(name[i]) == AsciiLower(known[i]);
    if (same) return f.id;
  }
  return std::nullopt;
}

// The place of a unit as the user counts: characters from 1.
std::wstring Place(const std::wstring& text, size_t units) { return std::to_wstring(CodePointIndex(text, units) + 1); }

// One "|"-separated alternative of a field, as written.
struct Alternative {
  std::wstring name, format;
  size_t nameAt = 0;  // unit offset of the name in the whole text
  bool hasFormat = false;
};

// Reads the inside of the field whose "<" is at `open`; returns the error.
std::wstring ReadField(const std::wstring& text, size_t open, size_t close, FieldPiece& piece, FieldSet& needs) {
  std::vector<Alternative> alternatives;
  for (size_t at = open + 1;;) {
    const size_t bar = std::min(text.find(L'|', at), close);
    Alternative a;
    std::wstring written = text.substr(at, bar - at);
    const size_t colon = written.find(L':');
    if (colon != std::wstring::npos) {
      a.hasFormat = true;
      a.format = written.substr(colon + 1);
      written.resize(colon);
    }
    const size_t first = written.find_first_not_of(L' ');
    a.name = first == std::wstring::npos ? L"" : written.substr(first, written.find_last_not_of(L' ') + 1 - first);
    a.nameAt = at + (first == std::wstring::npos ? 0 : first);
    alternatives.push_back(std::move(a));
    if (bar == close) break;
    at = bar + 1;
  }
  // A literal last alternative ("<Artist|Unknown>"); one holding ":" is taken
  // for a field with a format, misspelt, as no name may hold ":".
  const Alternative& last = alternatives.back();
  if (alternatives.size() > 1 && !last.hasFormat && !FieldNamed(last.name)) {
    piece.fallback = true;
    const size_t lastAt = text.rfind(L'|', close) + 1;
    piece.literal = text.substr(lastAt, close - lastAt);
    alternatives.pop_back();
  }
  for (const Alternative& a : alternatives) {
    if (a.name.empty()) return Text(TextId::FieldEmpty, {Place(text, open)});
    const std::optional<FieldId> id = FieldNamed(a.name);
    if (!id) return Text(TextId::FieldUnknown, {a.name, Place(text, a.nameAt)});
    const FieldName& field = NameOf(*id);
    if (!a.format.empty() && field.kind == FieldKind::Text)
      return Text(TextId::FieldTakesNoFormat, {field.name, Place(text, a.nameAt)});
    if (field.kind == FieldKind::Number && a.format.find_first_not_of(L'0') != std::wstring::npos)
      return Text(TextId::FieldBadWidth, {field.name, Place(text, a.nameAt)});
    piece.choices.push_back({*id, a.format});
    needs |= FieldBit(*id);
  }
  // Each alternative without a format takes the next one of its kind.
  for (size_t i = piece.choices.size(); i-- > 0;) {
    if (!piece.choices[i].format.empty()) continue;
    for (size_t j = i + 1; j < piece.choices.size(); ++j)
      if (NameOf(piece.choices[j].id).kind == NameOf(piece.choices[i].id).kind) {
        piece.choices[i].format = piece.choices[j].format;
        break;
      }
  }
  return {};
}

// A value as a name may hold it.
std::wstring SafeValue(const std::wstring& value) {
  std::wstring out;
  for (size_t i = 0; i < value.size(); i += CharUnitsAt(value, i)) {
    const wchar_t c = value[i];
    if (CharUnitsAt(value, i) == 2) {
      out.append(value, i, 2);
    } else if (static_cast<uint32_t>(c) < 0x20 || c == 0x7F || IsHighSurrogate(c) || IsLowSurrogate(c)) {
      continue;  // no character, or half of one
    } else {
      out += std::wstring_view(L"\\/:*?\"<>|").find(c) == std::wstring_view::npos ? c : L'_';
    }
  }
  const size_t first = out.find_first_not_of(L' ');
  return first == std::wstring::npos ? L"" : out.substr(first, out.find_last_not_of(L' ') + 1 - first);
}

std::wstring ValueOf(const FieldChoice& choice, const FieldSource& source, const DateLocale& locale) {
  const MediaFields* m = source.media;
  std::optional<DateTime> date;
  std::optional<int64_t> number;
  const std::wstring* text = nullptr;
  switch (choice.id) {
    case FieldId::Taken: date = m ? m->Taken : std::nullopt; break;
    case FieldId::Make: text = m ? &m->Make : nullptr; break;
    case FieldId::Model: text = m ? &m->Model : nullptr; break;
    case FieldId::Lens: text = m ? &m->Lens : nullptr; break;
    case FieldId::Width: number = m ? m->Width : std::nullopt; break;
    case FieldId::Height: number = m ? m->Height : std::nullopt; break;
    case FieldId::Iso: number = m ? m->Iso : std::nullopt; break;
    case FieldId::Artist: text = m ? &m->Artist : nullptr; break;
    case FieldId::AlbumArtist: text = m ? &m->AlbumArtist : nullptr; break;
    case FieldId::Album: text = m ? &m->Album : nullptr; break;
    case FieldId::Title: text = m ? &m->Title : nullptr; break;
    case FieldId::Track: number = m ? m->Track : std::nullopt; break;
    case FieldId::Disc: number = m ? m->Disc : std::nullopt; break;
    case FieldId::Year: number = m ? m->Year : std::nullopt; break;
    case FieldId::Genre: text = m ? &m->Genre : nullptr; break;
    case FieldId::Modified: date = source.modified; break;
    case FieldId::Created: date = source.created; break;
    case FieldId::Folder: text = &source.folder; break;
    case FieldId::Name: text = &source.name; break;
    case FieldId::Ext: text = &source.ext; break;
    case FieldId::Count: break;
  }
  if (date)
    return SafeValue(FormatDatePattern(choice.format.empty() ? L"yyyy-mm-dd hh.nn.ss" : choice.format, *date, locale));
  if (number) return NumberText(*number, choice.format.size());
  return text ? SafeValue(*text) : L"";
}

// The replacement's reader (PatternReplace.cpp) takes "$" with "$", "&", one
// or two digits or "{name}" after it, and "\" with a digit; "\" never stands
// in a value, so only its "$" needs doubling.
std::wstring EscapedForPattern(const std::wstring& value) {
  std::wstring out;
  for (wchar_t c : value) out += c == L'$' ? L"$$" : std::wstring(1, c);
  return out;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Closes what the user's text (from `from`, where nothing is open) leaves
// open at its end before a value: a lone "$" or a "${" without its "}"
// meant a dollar there, and "$1" the first group, which "$1" and a value
// starting with a digit would no longer mean. A "\" stays: with a digit
// after it, it is a group whatever is written, and a name never holds it.
void CloseReferences(std::wstring& out, size_t from) {
  for (size_t i = from; i < out.size(); ++i) {
    if (out[i] != L'$') continue;
    const bool end = i + 1 == out.size();
    if (end || (out[i + 1] == L'{' && out.find(L'}', i + 2) == std::wstring::npos)) {
      out.insert(i++, 1, L'$');
    } else if (out[i + 1] == L'$' || out[i + 1] == L'&') {
      ++i;
    } else if (IsDigit(out[i + 1])) {
      if (i + 2 == out.size()) {
        out.insert(i + 1, 1, L'{');
        out += L'}';
        return;
      }
      i += IsDigit(out[i + 2]) ? 2 : 1;
    }
  }
}

}  // namespace

bool HasFields(const std::wstring& text) { return text.find(L'<') != std::wstring::npos; }

FieldText ParseFieldText(const std::wstring& text) {
  FieldText out;
  for (size_t at = 0; at < text.size();) {
    const size_t open = text.find(L'<', at);
    if (open != at) {
      out.pieces.push_back({text.substr(at, open - at), {}, false});
      if (open == std::wstring::npos) break;
    }
    const size_t close = text.find(L'>', open + 1);
    if (close == std::wstring::npos || text.find(L'<', open + 1) < close) {
      out.error = Text(TextId::FieldUnclosed, {Place(text, open)});
      return out;
    }
    FieldPiece piece;
    out.error = ReadField(text, open, close, piece, out.needs);
    if (!out.error.empty()) return out;
    out.pieces.push_back(std::move(piece));
    at = close + 1;
  }
  return out;
}

FieldSource NameFields(const std::wstring& folder, const std::wstring& name, bool isFolder) {
  FieldSource out;
  const size_t end = folder.find_last_not_of(L"\\/");
  if (end != std::wstring::npos) {
    const size_t separator = folder.find_last_of(L"\\/", end);
    const size_t start = separator == std::wstring::npos ? 0 : separator + 1;
    out.folder = folder.substr(start, end + 1 - start);
    if (out.folder.ends_with(L':')) out.folder.clear();  // a drive's root has no name
  }
  const size_t ext = ExtensionLength(name, isFolder);
  out.name = name.substr(0, name.size() - ext);
  out.ext = ext ? name.substr(name.size() - ext + 1) : L"";
  return out;
}

FieldExpansion ExpandFieldText(const FieldText& parsed, const FieldSource& source, const DateLocale& locale,
                               bool escapeForPattern) {
  FieldExpansion out;
  if (!parsed.error.empty()) {
    out.refusal = parsed.error;
    return out;
  }
  size_t userFrom = 0;  // where the user's text since the last value starts
  auto putValue = [&](const std::wstring& value) {
    if (!escapeForPattern) {
      out.text += value;
      return;
    }
    CloseReferences(out.text, userFrom);
    out.text += EscapedForPattern(value);
    userFrom = out.text.size();
  };
  for (const FieldPiece& piece : parsed.pieces) {
    if (piece.choices.empty()) {
      out.text += piece.literal;
      continue;
    }
    std::wstring value;
    for (const FieldChoice& choice : piece.choices) {
      value = ValueOf(choice, source, locale);
      if (!value.empty()) break;
    }
    if (!value.empty()) {
      putValue(value);
    } else if (piece.fallback) {
      out.text += piece.literal;
    } else {
      out.text.clear();
      out.refusal = Text(TextId::FieldMissing, {NameOf(piece.choices.front().id).name});
      return out;
    }
  }
  return out;
}

namespace {

struct TaskText {
  std::wstring RenameTask::*member;
  bool pattern;  // a regular expression's replacement
  bool suffix;
};

std::vector<TaskText> TextsWithFields(const RenameTask& task) {
  switch (task.Operation) {
    case kOpAddFromBegin:
    case kOpAddFromEnd: return {{&RenameTask::RenameTo, false, false}};
    case kOpReplace: return {{&RenameTask::ReplaceWith, task.ReplacePattern, false}};
    case kOpCreateNames: return {{&RenameTask::Prefix, false, false}, {&RenameTask::Suffix, false, true}};
    default: return {};
  }
}

}  // namespace

FieldSet FieldsOfTask(const RenameTask& task) {
  FieldSet needs = 0;
  for (const TaskText& t : TextsWithFields(task))
    if (HasFields(task.*t.member)) needs |= ParseFieldText(task.*t.member).needs;
  return needs;
}

std::wstring FieldError(const RenameTask& task) {
  for (const TaskText& t : TextsWithFields(task)) {
    if (!HasFields(task.*t.member)) continue;
    const std::wstring error = ParseFieldText(task.*t.member).error;
    if (!error.empty()) return t.suffix ? Text(TextId::FieldInSuffix, {error}) : error;
  }
  return {};
}

TaskExpansion ExpandTaskFields(const RenameTask& task, const FieldSource& source, const DateLocale& locale) {
  TaskExpansion out{task, {}};
  for (const TaskText& t : TextsWithFields(task)) {
    if (!HasFields(task.*t.member)) continue;
    const FieldText parsed = ParseFieldText(task.*t.member);
    if (!parsed.error.empty()) {  // the checks stop such a request before it runs
      out.refusal = t.suffix ? Text(TextId::FieldInSuffix, {parsed.error}) : parsed.error;
      return out;
    }
    FieldExpansion expanded = ExpandFieldText(parsed, source, locale, t.pattern);
    if (!expanded.refusal.empty()) {
      out.refusal = std::move(expanded.refusal);
      return out;
    }
    out.task.*t.member = std::move(expanded.text);
  }
  return out;
}

}  // namespace rn
