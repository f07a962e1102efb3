// Fields in the texts the operations put into names: "<Artist> - <Title>",
// "<Taken|Modified:yyyymmdd>", "<Track:00>", "<Artist|Unknown artist>". No
// file name can hold "<" or ">", so a text that makes a name today holds no
// field and means what it always meant.
//
// A field is one name or several separated by "|", tried in turn until one
// gives a value; a last alternative that is no field name (and holds no ":")
// is a literal used when none does. Names are the same in both languages
// and matched without regard to ASCII letter case. After ":" a date field
// takes a format of the date stamps' letters (DateFormat.h; without one
// "yyyy-mm-dd hh.nn.ss"), a number a width of zeros ("00" -> "03"), and a
// text field nothing. An alternative without a format takes the next one
// given further on to a field of its kind: "<Taken|Modified:yyyy>" formats
// either date with "yyyy".
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/DateLocale.h"
#include "base/DateTime.h"
#include "engine/Operation.h"
#include "filelist/MediaFields.h"

namespace rn {

// The help's page on fields, in English and in Portuguese (F1 on the "<>"
// buttons opens the one of the language shown).
inline constexpr unsigned long kFieldHelpContext = 9;
inline constexpr unsigned long kFieldHelpContextPortuguese = 10;

// From the file's contents (MediaFields), then from the file system: the
// folder that holds the entry, its name without the extension, the extension
// without its dot.
// clang-format off
enum class FieldId {
  Taken, Make, Model, Lens, Width, Height, Iso, Artist, AlbumArtist, Album, Title, Track, Disc, Year, Genre,
  Modified, Created, Folder, Name, Ext, Count
};
// clang-format on

// A set of fields, one bit each.
using FieldSet = uint32_t;
constexpr FieldSet FieldBit(FieldId id) { return FieldSet{1} << static_cast<int>(id); }
// The fields that need the file's contents read.
inline constexpr FieldSet kMediaFieldSet = FieldBit(FieldId::Modified) - 1;

// Whether the text holds a field, or something meant as one ("<").
bool HasFields(const std::wstring& text);

// One alternative of a field, with the format it is written with (its own
// or the one it takes from further on; empty for the default).
struct FieldChoice {
  FieldId id = FieldId::Name;
  std::wstring format;
};
// The user's text, or a field: its alternatives and, when the last
// alternative is a literal, `literal` holds it.
struct FieldPiece {
  std::wstring literal;
  std::vector<FieldChoice> choices;  // empty: a piece of the user's text
  bool fallback = false;             // a field with a literal last alternative
};
struct FieldText {
  std::vector<FieldPiece> pieces;
  FieldSet needs = 0;  // every field the text names
  std::wstring error;  // why the text does not read, with the place; empty when it does
};
FieldText ParseFieldText(const std::wstring& text);

// The values of one entry. `media` may be null (a folder, or a text needing
// no field of kMediaFieldSet): its fields are then missing.
struct FieldSource {
  const MediaFields* media = nullptr;
  std::optional<DateTime> modified, created;
  std::wstring folder, name, ext;
};
// The file system's three: `folder` the path of the folder that holds the
// entry (with or without its last backslash; a drive's root gives none),
// `name` the entry's name (a folder's is all name, without extension).
FieldSource NameFields(const std::wstring& folder, const std::wstring& name, bool isFolder);

// A value may hold anything a file or a tag holds: the characters no name
// may hold become "_", control characters and halves of a character go and
// blanks at its ends are trimmed; a value left empty is missing. A date's
// text is a value, its format's own characters included. The user's own
// text stays as it is: the run refuses what no name may hold in it.
struct FieldExpansion {
  std::wstring text;
  std::wstring refusal;  // why the entry gets no name ("No Artist in this file ..."); empty when `text` holds it
};
// With `escapeForPattern` the text is the replacement of a regular
// expression (PatternReplace.h): the values are written so that they come
// out as themselves, and a reference the user's text leaves open before a
// value ("$", "$1") is closed so that the value does not extend it.
FieldExpansion ExpandFieldText(const FieldText& parsed, const FieldSource& source, const DateLocale& locale,
                               bool escapeForPattern);

// The texts of the request that take fields: the insert text of operations
// 1 and 2, the replacement of operation 4, the prefix and the suffix of
// operation 18. Every other text keeps its "<" as it always did.
// The fields they name (the caller reads the file's contents only when they
// meet kMediaFieldSet).
FieldSet FieldsOfTask(const RenameTask& task);
// Why one of them does not read, for the checks before a run; empty when all do.
std::wstring FieldError(const RenameTask& task);
// The request for one entry: a copy with those texts expanded, or the
// refusal. A replacement by pattern with fields then differs from entry to
// entry, and PatternOf compiles it for each.
struct TaskExpansion {
  RenameTask task;
  std::wstring refusal;
};
TaskExpansion ExpandTaskFields(const RenameTask& task, const FieldSource& source, const DateLocale& locale);

}  // namespace rn
