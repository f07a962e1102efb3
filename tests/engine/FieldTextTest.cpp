// Fields in the texts names are made of: one table of text, the entry's
// values and the outcome, then the request's texts and a replacement by
// pattern taken through to the new name.
#include <gtest/gtest.h>

#include "base/Texts.h"
#include "engine/FieldText.h"
#include "engine/PatternReplace.h"
#include "engine/Transforms.h"

using namespace rn;

namespace {

MediaFields Full() {
  MediaFields m;
  m.Taken = DateTime{2021, 6, 5, 4, 3, 2}, m.Make = L"Canon", m.Model = L"EOS R5", m.Width = 8192, m.Iso = 100;
  m.Artist = L"The Band", m.Title = L"Intro", m.Track = 3, m.Disc = 1;
  return m;
}
MediaFields Odd() {
  MediaFields m;
  m.Make = L"Ελληνικά", m.Model = L"日本語", m.Lens = L"\x01\x02", m.Artist = L"AC/DC", m.AlbumArtist = L"Cash $1";
  m.Album = L"a\tb\001c\x7F" + std::wstring(1, static_cast<wchar_t>(0xD83D));  // and half an emoji
  m.Title = L"Re: *Start*?", m.Genre = L"  Jazz  ";
  return m;
}
const MediaFields kFull = Full(), kOdd = Odd();
const FieldSource kFullRow{&kFull, DateTime{2020, 1, 2, 3, 4, 5}, std::nullopt, L"Trip", L"IMG_1", L"jpg"};
const FieldSource kBareRow{nullptr, DateTime{2020, 1, 2, 3, 4, 5}, DateTime{2019, 12, 31}, L"", L"notes", L""};
const FieldSource kOddRow{&kOdd, std::nullopt, std::nullopt, L"x", L"y", L"z"};

enum class Expect { Name, Refused, ParseError };

struct Case {
  const char* what;
  std::wstring text;
  const FieldSource* row;
  std::wstring expected;
  Expect outcome = Expect::Name;
  bool pattern = false;  // a regular expression's replacement
};

}  // namespace

TEST(FieldText, EveryCaseOfTheTable) {
  const Case cases[] = {
      {"no field", L"Holiday 2021", &kFullRow, L"Holiday 2021"},
      {"text fields", L"<Artist> - <Title>", &kFullRow, L"The Band - Intro"},
      {"names ignore letter case and blanks", L"<aRTIST>-<iso>-< Title >", &kFullRow, L"The Band-100-Intro"},
      {"date without a format", L"<Taken>", &kFullRow, L"2021-06-05 04.03.02"},
      {"date with a format", L"<Taken:yyyymmdd>_<Modified:dd mmm yy>", &kFullRow, L"20210605_02 Jan 20"},
      {"locale's short date", L"<Taken:ddddd>", &kFullRow, L"05-06-2021"},
      {"format's \":\" made safe", L"<Taken:hh:nn>", &kFullRow, L"04_03"},
      {"number widths", L"<Track:000>-<Disc>-<Width:00>", &kFullRow, L"003-1-8192"},
      {"file system", L"<Folder> <Name>.<Ext>", &kFullRow, L"Trip IMG_1.jpg"},
      {"field to field", L"<Taken|Modified:yyyy>", &kBareRow, L"2020"},
      {"the first field that has a value", L"<Taken|Modified:yyyy>", &kFullRow, L"2021"},
      {"each its own format", L"<Taken:yyyy|Modified:mm>", &kBareRow, L"01"},
      {"formats go by kind", L"<Track|Taken|Modified:yyyy|Disc:00>", &kFullRow, L"03"},
      {"date chain", L"<Taken|Created|Modified:yyyy-mm>", &kBareRow, L"2019-12"},
      {"field to literal", L"<Artist|Unknown artist>", &kBareRow, L"Unknown artist"},
      {"literal not needed", L"<Artist|Unknown artist>", &kFullRow, L"The Band"},
      {"empty literal", L"a<Artist|>b", &kBareRow, L"ab"},
      {"missing field", L"x <Artist>", &kBareRow, L"No Artist in this file, so file", Expect::Refused},
      {"first of the missing named", L"<Taken|Created>", &kOddRow, L"No Taken in this file, so file", Expect::Refused},
      {"empty extension is missing", L"<Ext>", &kBareRow, L"No Ext in this file, so file", Expect::Refused},
      {"characters no name may hold", L"<Artist>=<Title>", &kOddRow, L"AC_DC=Re_ _Start__"},
      {"control characters, halves and blanks", L"[<Album>][<Genre>]", &kOddRow, L"[abc][Jazz]"},
      {"nothing left is missing", L"<Lens|none>", &kOddRow, L"none"},
      {"Greek and Japanese", L"<Make> <Model>", &kOddRow, L"Ελληνικά 日本語"},
      {"unclosed", L"a<Artist", &kFullRow, L"No > closes the < at 2", Expect::ParseError},
      {"a field inside a field", L"<Ar<tist>>", &kFullRow, L"No > closes the < at 1", Expect::ParseError},
      {"empty field", L"x<>", &kFullRow, L"Empty field at 2", Expect::ParseError},
      {"empty alternative", L"ω<Artist||Title>", &kFullRow, L"Empty field at 2", Expect::ParseError},
      {"unknown field", L"ω<Artst>", &kFullRow, L"No field is called Artst, at 3", Expect::ParseError},
      {"a misspelt last field is no literal", L"<Taken|Modifed:yyyy>", &kFullRow, L"No field is called Modifed, at 8",
       Expect::ParseError},
      {"format on text", L"<Artist:upper>", &kFullRow, L"Artist takes no format, at 2", Expect::ParseError},
      {"width not of zeros", L"<Track:0x>", &kFullRow, L"The width of Track is written in zeros (00), at 2",
       Expect::ParseError},
      {"plain text keeps its dollar", L"$<Track:00>", &kFullRow, L"$03"},
      {"a value's dollar", L"<AlbumArtist>", &kOddRow, L"Cash $$1", Expect::Name, true},
      {"a lone dollar before a value", L"$<Track:00>", &kFullRow, L"$$03", Expect::Name, true},
      {"a group before a value", L"$1<Track:00>", &kFullRow, L"${1}03", Expect::Name, true},
      {"references whole already", L"$$<Track>$12<Disc>\\1<Track>${n}<Disc>", &kFullRow, L"$$3$121\\13${n}1",
       Expect::Name, true},
      {"an open brace before a value", L"${<Track>}", &kFullRow, L"$${3}", Expect::Name, true},
      {"the user's literal is the user's", L"<Artist|$1>", &kBareRow, L"$1", Expect::Name, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const FieldText parsed = ParseFieldText(c.text);
    EXPECT_EQ(parsed.error, c.outcome == Expect::ParseError ? c.expected : L"");
    const FieldExpansion out = ExpandFieldText(parsed, *c.row, PortableDateLocale(), c.pattern);
    EXPECT_EQ(out.refusal, c.outcome == Expect::Name ? L"" : c.expected);
    EXPECT_EQ(out.text, c.outcome == Expect::Name ? c.expected : L"");
  }
}

TEST(FieldText, OnlyTheTextsOfInsertReplaceAndNewNamesTakeFields) {
  // Which of RenameTo, ReplaceWith, Prefix and Suffix take fields ("twps").
  const std::pair<OperationId, std::string_view> cases[] = {{kOpAddFromBegin, "t"}, {kOpAddFromEnd, "t"},
                                                            {kOpReplace, "w"},      {kOpCreateNames, "ps"},
                                                            {kOpRemove, ""},        {kOpChangeExtension, ""}};
  std::wstring RenameTask::*const texts[] = {&RenameTask::RenameTo, &RenameTask::ReplaceWith, &RenameTask::Prefix,
                                             &RenameTask::Suffix};
  for (const auto& [op, taking] : cases) {
    SCOPED_TRACE(op);
    RenameTask task;
    task.Operation = op;
    task.RenameTo = task.ReplaceWith = task.Prefix = task.Suffix = L"<Name>";
    const TaskExpansion out = ExpandTaskFields(task, kFullRow, PortableDateLocale());
    EXPECT_EQ(out.refusal, L"");
    for (size_t i = 0; i < 4; ++i)
      EXPECT_EQ(out.task.*texts[i], taking.find("twps"[i]) != std::string_view::npos ? L"IMG_1" : L"<Name>");
    EXPECT_EQ(FieldsOfTask(task), taking.empty() ? 0 : FieldBit(FieldId::Name));
  }
  RenameTask names;
  names.Operation = kOpCreateNames;
  names.Prefix = L"<Artist|Name>";
  names.Suffix = L"<Titel>";
  EXPECT_EQ(FieldsOfTask(names) & kMediaFieldSet, FieldBit(FieldId::Artist));
  EXPECT_EQ(FieldError(names), L"No field is called Titel, at 2 (suffix)");
  EXPECT_EQ(ExpandTaskFields(names, kFullRow, PortableDateLocale()).refusal, FieldError(names));
  names.Suffix = L"<Album>";
  SetShownLanguage(Language::Portuguese);
  EXPECT_EQ(ExpandTaskFields(names, kFullRow, PortableDateLocale()).refusal,
            L"Sem Album neste arquivo, por isso o arq.");
  SetShownLanguage(Language::English);
}

TEST(FieldText, ValuesComeOutOfAPatternAsThemselves) {
  const struct {
    const wchar_t* replacement;
    const wchar_t* expected;
  } cases[] = {
      {L"$1-<AlbumArtist>", L"abc-Cash $1.mp3"},
      {L"$1<Track:00>", L"abc03.mp3"},
      {L"$<Track:00>$1", L"$03abc.mp3"},
  };
  MediaFields media = kOdd;
  media.Track = 3;
  const FieldSource row{&media, std::nullopt, std::nullopt, L"d", L"abc", L"mp3"};
  for (const auto& c : cases) {
    RenameTask task;
    task.Operation = kOpReplace;
    task.ReplacePattern = true;
    task.RenameTo = L"^(\\w+)$";
    task.ReplaceWith = c.replacement;
    const TaskExpansion out = ExpandTaskFields(task, row, PortableDateLocale());
    ASSERT_EQ(out.refusal, L"");
    EXPECT_EQ(PatternError(out.task), L"") << c.replacement;
    EXPECT_EQ(ProposeName(out.task, L"abc.mp3", false, 0, {}, PortableCaseConverter(), PortableDateLocale()),
              c.expected);
  }
}

TEST(FieldText, TheFileSystemsFields) {
  const struct {
    const wchar_t *folder, *name;
    bool isFolder;
    std::wstring expected;  // folder|name|ext
  } cases[] = {
      {L"C:\\Photos\\Trip\\", L"IMG_1.jpg", false, L"Trip|IMG_1|jpg"},
      {L"C:\\", L"a.tar.gz", false, L"|a.tar|gz"},
      {L"\\\\server\\share", L"Old.d", true, L"share|Old.d|"},
      {L"C:\\x\\", L".profile", false, L"x||profile"},
  };
  for (const auto& c : cases) {
    const FieldSource row = NameFields(c.folder, c.name, c.isFolder);
    EXPECT_EQ(row.folder + L"|" + row.name + L"|" + row.ext, c.expected);
  }
}
