// Operation 4 with a pattern or ignoring case: one table of find text,
// replacement, flags, name and outcome. Every case also goes through the
// preview and the run on a one-row list, which must agree with each other
// and show the outcome the table names (a runaway pattern is refused by
// the bound, never left to run).
#include <gtest/gtest.h>

#include "base/Texts.h"
#include "engine/PatternReplace.h"
#include "engine/PreviewAgreement.h"
#include "engine/Transforms.h"

using namespace rn;

namespace {

enum class Expect {
  Name,        // `expected` is the new name
  NoName,      // the row keeps its name; `expected` is RowRefused's reason
  CheckStops,  // the request does not compile; `expected` is the message
  Fails,       // `expected` is the proposal, which holds characters no name may hold
};

struct Case {
  const char* what;
  std::wstring find, with;
  const char* flags;  // "r" pattern, "i" ignore case
  std::wstring name, expected;
  Expect outcome = Expect::Name;
};

RenameTask Task(const Case& c) {
  RenameTask t;
  t.Operation = kOpReplace;
  t.RenameTo = c.find;
  t.ReplaceWith = c.with;
  t.ReplacePattern = std::string_view(c.flags).find('r') != std::string_view::npos;
  t.ReplaceIgnoreCase = std::string_view(c.flags).find('i') != std::string_view::npos;
  return t;
}

PreviewMark MarkOf(const Case& c) {
  switch (c.outcome) {
    case Expect::Name: return c.expected == c.name ? PreviewMark::Unchanged : PreviewMark::Change;
    case Expect::NoName: return PreviewMark::NoName;
    case Expect::CheckStops: return PreviewMark::Refused;
    case Expect::Fails: return PreviewMark::Fails;
  }
  return PreviewMark::None;
}

}  // namespace

TEST(PatternReplace, EveryCaseOfTheTable) {
  const std::wstring emoji = L"\U0001F600";
  const std::wstring halfEmoji(1, static_cast<wchar_t>(0xD83D));
  const Case cases[] = {
      {"swap with groups", L"^(.+?) - (.+)$", L"$2 - $1", "r", L"Artist - Title.mp3", L"Title - Artist.mp3"},
      {"named groups", L"(?<year>\\d{4})-(?<month>\\d\\d)", L"${month}.${year}", "r", L"Trip 2023-07.jpg",
       L"Trip 07.2023.jpg"},
      {"backslash references", L"(\\w+) (\\w+)", L"\\2_\\1", "r", L"alpha beta.txt", L"beta_alpha.txt"},
      {"dollar references", L"(\\w+) (\\w+)", L"$2_$1", "r", L"alpha beta.txt", L"beta_alpha.txt"},
      {"a dollar", L"price", L"$$5", "r", L"price list.txt", L"$5 list.txt"},
      {"whole match", L"\\d+", L"[$&]($0)", "r", L"a12b3.txt", L"a[12](12)b[3](3).txt"},
      {"anything else as it is", L"a", L"(+)${x", "r", L"cat.txt", L"c(+)${xt.txt"},
      {"anchors at the base's ends", L"^the |d$", L"", "r", L"the band the end.txt", L"band the en.txt"},
      {"empty matches", L"x*", L"-", "r", L"axxb.txt", L"-a--b-.txt"},
      {"lazy repeat", L"\\(.+?\\)", L"#", "r", L"a(b)c(d).txt", L"a#c#.txt"},
      {"lookbehind", L"(?<=No)\\d+", L"#", "r", L"No12 and 34.txt", L"No# and 34.txt"},
      {"lookahead", L"\\d+(?= km)", L"N", "r", L"5 km 6 m.txt", L"N km 6 m.txt"},
      {"alternation", L"cat|dog", L"pet", "r", L"cat and dog.txt", L"pet and pet.txt"},
      {"possessive repeat", L"a++a", L"x", "r", L"aaa.txt", L"aaa.txt"},
      {"letter case counts", L"abc", L"x", "r", L"ABC.txt", L"ABC.txt"},
      {"Greek ignoring case", L"ωμέγα", L"Ω", "ri", L"ΩΜΈΓΑ and ωμέγα.txt", L"Ω and Ω.txt"},
      {"final sigma ignoring case", L"σ", L"s", "ri", L"ΣΟΣ ς.txt", L"sΟs s.txt"},
      {"Cyrillic ignoring case", L"привет", L"hi", "ri", L"ПРИВЕТ Привет.txt", L"hi hi.txt"},
      {"Latin ignoring case", L"é[a-z]", L"E", "ri", L"ÉA éb.txt", L"E E.txt"},
      {"word characters in every script", L"\\w+", L"w", "r", L"é-Ж_1 ω.txt", L"w-w w.txt"},
      {"capitals in every script", L"[[:upper:]]", L"_", "r", L"ÉcoleЖω.txt", L"_cole_ω.txt"},
      {"plain text ignoring case", L"ABC", L"x", "i", L"abc.ABC-aBc.abc", L"x.x-x.abc"},
      {"plain text has no syntax", L"a.c", L"$1", "i", L"A.C abc.txt", L"$1 abc.txt"},
      {"an emoji beside a match", L"a", L"b", "r", emoji + L"a" + emoji + L".txt", emoji + L"b" + emoji + L".txt"},
      {"an emoji is one character", L"^.", L"X", "r", emoji + L"ab.txt", L"Xab.txt"},
      {"half an emoji never matches", L"\\x{D83D}", L"", "r", emoji + L".txt", emoji + L".txt"},
      {"half a character put in", L"a", halfEmoji, "r", L"a.txt", Text(TextId::MsgPatternSplitsCharacter),
       Expect::NoName},
      {"characters no name may hold", L"-", L":", "r", L"a-b.txt", L"a:b.txt", Expect::Fails},
      {"an unmatched opening", L"^(.+?) (.+", L"", "r", L"a b.txt", L"Unmatched ( at 8", Expect::CheckStops},
      {"an unmatched closing", L"ab)", L"", "r", L"a b.txt", L"Unmatched ) at 3", Expect::CheckStops},
      {"nothing to repeat", L"a|*", L"", "r", L"a b.txt", L"Nothing to repeat at 3", Expect::CheckStops},
      {"an unmatched bracket", L"a[b(c", L"", "r", L"a b.txt", L"Unmatched [ at 2", Expect::CheckStops},
      {"no such group", L"(a)", L"x$2", "r", L"a.txt",
       L"The replacement names group 2, which the pattern does not have, at 2", Expect::CheckStops},
      {"no such name", L"(?<a>a)", L"${b}", "r", L"a.txt",
       L"The replacement names group b, which the pattern does not have, at 1", Expect::CheckStops},
      {"runaway backtracking", L"(a+)+$", L"", "r", std::wstring(200, L'a') + L"b.txt", Text(TextId::MsgPatternTooSlow),
       Expect::NoName},
  };
  const DateLocale& dates = PortableDateLocale();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RenameTask task = Task(c);
    EXPECT_EQ(PatternError(task), c.outcome == Expect::CheckStops ? c.expected : L"");
    try {
      const auto name = ProposeName(task, c.name, false, 0, {}, PortableCaseConverter(), dates);
      EXPECT_TRUE(c.outcome == Expect::Name || c.outcome == Expect::Fails || c.outcome == Expect::CheckStops);
      if (c.outcome != Expect::CheckStops) {
        EXPECT_EQ(name, c.expected);
      }
    } catch (const RowRefused& refused) {
      EXPECT_EQ(c.outcome, Expect::NoName);
      EXPECT_EQ(refused.reason, c.expected);
    }

    FileList list;
    list.AddRow(L"C:\\d\\" + c.name, false, L"");
    test::MemoryDisk disk;
    disk.Add(L"C:\\d\\" + c.name, EntryKind::File);
    RenamePreview preview;
    preview.Start(task, list, test::MemoryPorts(disk, dates));
    EXPECT_EQ(preview.Row(0).mark, MarkOf(c));
    if (c.outcome == Expect::CheckStops) {
      EXPECT_EQ(preview.Refusal(), c.expected);
    }
    if (c.outcome == Expect::NoName) {
      EXPECT_TRUE(preview.Row(0).reason.starts_with(c.expected));
    }
    EXPECT_EQ(test::PreviewDisagreement(list, disk, task, dates), "");
  }
}

TEST(PatternReplace, CompilesOncePerChangeOfTheRequest) {
  RenameTask task;
  task.Operation = kOpReplace;
  task.RenameTo = L"a(b)";
  task.ReplacePattern = true;
  const auto first = PatternOf(task);
  EXPECT_EQ(PatternOf(task), first) << "the same request shares its compiled pattern";
  task.ReplaceIgnoreCase = true;
  EXPECT_NE(PatternOf(task), first);
  task.ReplacePattern = task.ReplaceIgnoreCase = false;
  EXPECT_FALSE(ReplacesByPattern(task));
  EXPECT_EQ(PatternError(task), L"") << "plain text has no errors";
}
