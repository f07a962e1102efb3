#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Text.h"
#include "engine/NameShape.h"
#include "engine/Transforms.h"

using namespace rn;
using rn::test::IsNameWithInsert;
using rn::test::IsNameWithOneCut;

namespace {

const CaseConverter& Cases() { return PortableCaseConverter(); }
const DateLocale& Dates() { return PortableDateLocale(); }

// Names with characters beyond U+FFFF: two UTF-16 units each under Windows.
const std::wstring kParty = L"\U0001F600 party.jpg";
const std::wstring kScript = L"\U0001D49Cbc.txt";
const std::wstring kAllWide = L"\U0001F600\U0001F601\U0001F602.\U0001D49C";

RenameTask Task(OperationId op) {
  RenameTask t;
  t.Operation = op;
  return t;
}

std::wstring Propose(const RenameTask& task, const std::wstring& name, bool isFolder = false, int64_t counter = 0,
                     const DateTime& stamp = {}) {
  const auto p = ProposeName(task, name, isFolder, counter, stamp, Cases(), Dates());
  EXPECT_TRUE(p.has_value()) << "op " << task.Operation;
  return p.value_or(L"<none>");
}

}  // namespace

TEST(NameParts, ExtensionFromTheLastDotAndNoneForFolders) {
  EXPECT_EQ(ExtensionLength(L"a.b.c", false), 2u);
  EXPECT_EQ(ExtensionLength(L"archive", false), 0u);
  EXPECT_EQ(ExtensionLength(L".profile", false), 8u);  // all extension
  EXPECT_EQ(ExtensionLength(L"name.", false), 1u);     // extension "."
  EXPECT_EQ(ExtensionLength(L"", false), 0u);
  EXPECT_EQ(ExtensionLength(L"my.folder", true), 0u);
}

TEST(NameParts, CutsAreClippedToTheText) {
  EXPECT_EQ(HeadOf(L"abc", -3), L"");
  EXPECT_EQ(HeadOf(L"abc", 2), L"ab");
  EXPECT_EQ(HeadOf(L"abc", 99), L"abc");
  EXPECT_EQ(TailOf(L"abc", -1), L"");
  EXPECT_EQ(TailOf(L"abc", 2), L"bc");
  EXPECT_EQ(TailOf(L"abc", INT64_MAX), L"abc");
  EXPECT_EQ(FromPosition(L"abc", -5), L"abc");
  EXPECT_EQ(FromPosition(L"abc", 2), L"bc");
  EXPECT_EQ(FromPosition(L"abc", 4), L"");
  EXPECT_EQ(FromPosition(L"", 1), L"");
}

TEST(NumberText, PaddedToTheWidthWrittenInFullBeyondItSignInFront) {
  EXPECT_EQ(NumberText(1, 3), L"001");
  EXPECT_EQ(NumberText(7, 1), L"7");
  EXPECT_EQ(NumberText(100, 2), L"100");
  EXPECT_EQ(NumberText(-5, 3), L"-005");
  EXPECT_EQ(NumberText(0, 0), L"0");
  EXPECT_EQ(NumberText(INT64_MIN, 1), L"-9223372036854775808");
}

TEST(AddText, FromTheBeginCountsTheWholeName) {
  RenameTask t = Task(kOpAddFromBegin);
  t.RenameTo = L"X";
  t.InsertAt = 3;
  EXPECT_EQ(Propose(t, L"abc.txt"), L"abcX.txt");
  t.InsertAt = 0;
  EXPECT_EQ(Propose(t, L"abc.txt"), L"Xabc.txt");
  t.InsertAt = 5;
  EXPECT_EQ(Propose(t, L"abc.txt"), L"abc.tXxt");
  t.InsertAt = 200;
  EXPECT_EQ(Propose(t, L"abc.txt"), L"abc.txtX");
}

TEST(AddText, FromTheEndCountsBackFromTheExtension) {
  RenameTask t = Task(kOpAddFromEnd);
  t.RenameTo = L"X";
  EXPECT_EQ(Propose(t, L"abc.txt"), L"abcX.txt");
  EXPECT_EQ(Propose(t, L"abc", true), L"abcX");
  EXPECT_EQ(Propose(t, L"a.b", true), L"a.bX");  // a folder's dots are no extension
  t.InsertAt = 2;
  EXPECT_EQ(Propose(t, L"abc.txt"), L"aXbc.txt");
  t.InsertAt = 3;
  EXPECT_EQ(Propose(t, L"abc.txt"), L"Xabc.txt");
  t.InsertAt = 9;  // beyond the base: in front, nothing doubled
  EXPECT_EQ(Propose(t, L"abc.txt"), L"Xabc.txt");
}

TEST(RemoveAndReplace, OnlyTheBaseAndNeverLookingBack) {
  RenameTask t = Task(kOpRemove);
  t.RenameTo = L"t";
  EXPECT_EQ(Propose(t, L"test.txt"), L"es.txt");
  t.RenameTo = L"ab";
  EXPECT_EQ(Propose(t, L"aabb"), L"ab");
  EXPECT_EQ(Propose(t, L"ab.ab"), L".ab");
  EXPECT_EQ(Propose(t, L"ab.ab", true), L".");  // a folder's whole name is searched
  t.RenameTo = L"";
  EXPECT_EQ(Propose(t, L"abc.txt"), L"abc.txt");

  t = Task(kOpReplace);
  t.RenameTo = L"a";
  t.ReplaceWith = L"aa";  // the replacement is not searched again
  EXPECT_EQ(Propose(t, L"banana.a"), L"baanaanaa.a");
  t.ReplaceWith = L"";
  EXPECT_EQ(Propose(t, L"banana.a"), L"bnn.a");
  t.RenameTo = L"";
  t.ReplaceWith = L"z";
  EXPECT_EQ(Propose(t, L"banana.a"), L"banana.a");
  t.RenameTo = L"_";
  t.ReplaceWith = L" ";
  EXPECT_EQ(Propose(t, L"my_holiday_photo.jpg"), L"my holiday photo.jpg");
}

TEST(ChangeExtension, ReplacesOrAddsAndLeavesFoldersAlone) {
  RenameTask t = Task(kOpChangeExtension);
  t.RenameTo = L"zip";
  EXPECT_EQ(Propose(t, L"archive"), L"archive.zip");
  t.RenameTo = L"d";
  EXPECT_EQ(Propose(t, L"a.b.c"), L"a.b.d");
  EXPECT_EQ(Propose(t, L"a.b.c", true), L"a.b.c");
  EXPECT_EQ(Propose(t, L"name."), L"name.d");
  EXPECT_EQ(Propose(t, L".profile"), L".d");
  // Texts the run did not clean come out as if it had.
  t.RenameTo = L"tar.gz";
  EXPECT_EQ(Propose(t, L"a.bcd"), L"a.gz");
  t.RenameTo = L"x.";
  EXPECT_EQ(Propose(t, L"a.bcd"), L"a.");
}

TEST(Capitalize, FirstLetterOnlyLowersTheRestAndTheExtension) {
  const RenameTask t = Task(kOpCapitalize);
  EXPECT_EQ(Propose(t, L"hello world.TXT"), L"Hello world.txt");
  EXPECT_EQ(Propose(t, L"(LIVE) SET"), L"(Live) set");  // one opener passed over
  EXPECT_EQ(Propose(t, L"((a"), L"((a");
  EXPECT_EQ(Propose(t, L"R\u00C9SUM\u00C9.PDF"), L"R\u00E9sum\u00E9.pdf");
  EXPECT_EQ(Propose(t, L""), L"");
  EXPECT_EQ(Propose(t, L"("), L"(");
  EXPECT_EQ(Propose(t, L"x"), L"X");
}

TEST(Capitalize, EveryWordAfterSeparatorsButNotInsideApostropheWords) {
  RenameTask t = Task(kOpCapitalize);
  t.EveryWord = true;
  EXPECT_EQ(Propose(t, L"hello world.TXT"), L"Hello World.txt");
  EXPECT_EQ(Propose(t, L"rock'n'roll band.mp3"), L"Rock'n'roll Band.mp3");
  EXPECT_EQ(Propose(t, L"(live) at the club.avi"), L"(Live) At The Club.avi");
  EXPECT_EQ(Propose(t, L"my_file-name.doc"), L"My_file-name.doc");
  EXPECT_EQ(Propose(t, L"\u00B4quoted\u00B4 title.mp3"), L"\u00B4Quoted\u00B4 Title.mp3");
  EXPECT_EQ(Propose(t, L"o'neil.txt"), L"O'neil.txt");
  EXPECT_EQ(Propose(t, L"l 'ombre.txt"), L"L 'Ombre.txt");
  EXPECT_EQ(Propose(t, L"a,b;c[d]e{f}g`h.x"), L"A,B;C[D]E{F}G`h.x");
  EXPECT_EQ(Propose(t, L"9'x"), L"9'X");  // after a digit the apostrophe separates
  // The extension is lowered by ASCII rules only.
  EXPECT_EQ(Propose(t, L"song.\u00C9MP"), L"Song.\u00C9mp");
  // A folder has no extension: its dots are separators.
  EXPECT_EQ(Propose(t, L"v1.BETA", true), L"V1.Beta");
  EXPECT_EQ(Propose(t, L".PROFILE"), L".profile");
  EXPECT_EQ(Propose(t, L"'.TXT"), L"'.txt");
  EXPECT_EQ(Propose(t, L"'"), L"'");
}

TEST(ConvertCase, WholeNameExtensionIncluded) {
  RenameTask t = Task(kOpConvertCase);
  t.CaseMode = kCaseUpper;
  EXPECT_EQ(Propose(t, L"R\u00E9sum\u00E9.pdf"), L"R\u00C9SUM\u00C9.PDF");
  EXPECT_EQ(Propose(t, L"\u00FF\u0107\u03C2\u03AC\u0451"), L"\u0178\u0106\u03A3\u0386\u0401");
  t.CaseMode = kCaseLower;
  EXPECT_EQ(Propose(t, L"R\u00C9SUM\u00C9.PDF"), L"r\u00E9sum\u00E9.pdf");
  t.CaseMode = 6;
  EXPECT_FALSE(ProposeName(t, L"a", false, 0, {}, Cases(), Dates()).has_value());
}

TEST(Trim, FromTheBeginAndFromTheEnd) {
  RenameTask t = Task(kOpTrimFromBegin);
  t.TrimCount = 2;
  t.TrimAt = 1;
  EXPECT_EQ(Propose(t, L"abcdefg.txt"), L"adefg.txt");
  t.TrimCount = 0;
  EXPECT_EQ(Propose(t, L"abcdefg.txt"), L"abcdefg.txt");
  t.TrimCount = 3;
  t.TrimAt = 0;
  EXPECT_EQ(Propose(t, L"abc.txt"), L".txt");

  t = Task(kOpTrimFromEnd);
  t.TrimCount = 2;
  t.TrimAt = 1;
  EXPECT_EQ(Propose(t, L"abcdefg.txt"), L"abcdg.txt");
  t.TrimAt = 0;
  EXPECT_EQ(Propose(t, L"abcdefg.txt"), L"abcde.txt");
  EXPECT_EQ(Propose(t, L"abcdefg", true), L"abcde");
  t.TrimAt = 6;  // reaches past the base's start: cut only what is there
  EXPECT_EQ(Propose(t, L"abcdefg.txt"), L"bcdefg.txt");
  t.TrimAt = 7;
  EXPECT_EQ(Propose(t, L"abcdefg.txt"), L"abcdefg.txt");
}

TEST(Trim, KeepHeadAndTailNeverOverlap) {
  RenameTask t = Task(kOpTrimBetween);
  t.KeepHead = 2;
  t.KeepTail = 2;
  EXPECT_EQ(Propose(t, L"abcdefgh.txt"), L"abgh.txt");
  EXPECT_EQ(Propose(t, L"abcd.txt"), L"abcd.txt");  // head + tail = base
  EXPECT_EQ(Propose(t, L"abc.txt"), L"abc.txt");    // longer than the base: nothing doubled
  EXPECT_EQ(Propose(t, L"a.b.c", true), L"a..c");   // a folder keeps its dots in the base
  t.KeepHead = 0;
  t.KeepTail = 0;
  EXPECT_EQ(Propose(t, L"abcdefgh.txt"), L".txt");
  t.KeepHead = 0;
  t.KeepTail = 3;
  EXPECT_EQ(Propose(t, L"abcdefgh.txt"), L"fgh.txt");
}

TEST(Numerate, ThreeStylesOverAListWithItsCounter) {
  RenameTask t = Task(kOpNumerate);
  t.StartNumber = L"01";
  const std::vector<std::wstring> names = {L"a.txt", L"b.txt", L"c.txt"};
  auto run = [&](int style) {
    t.NumberStyle = style;
    std::vector<std::wstring> out;
    int64_t counter = ReadCounterText(t.StartNumber)->first;
    for (const std::wstring& n : names) {
      if (auto p = ProposeName(t, n, false, counter, {}, Cases(), Dates())) {
        out.push_back(*p);
        if (UsesCounter(t.Operation)) ++counter;
      }
    }
    return out;
  };
  EXPECT_EQ(run(kNumberName), (std::vector<std::wstring>{L"01a.txt", L"02b.txt", L"03c.txt"}));
  EXPECT_EQ(run(kNameNumber), (std::vector<std::wstring>{L"a01.txt", L"b02.txt", L"c03.txt"}));
  EXPECT_EQ(run(kNumberExtension), (std::vector<std::wstring>{L"01.txt", L"02.txt", L"03.txt"}));
  EXPECT_TRUE(run(9).empty());  // no proposal, so the counter stays
  t.NumberStyle = kNameNumber;
  EXPECT_EQ(Propose(t, L"photos", true, 7), L"photos07");
  t.NumberStyle = kNumberExtension;
  EXPECT_EQ(Propose(t, L"photos.2014", true, 7), L"07");
  t.StartNumber = L"0001";
  EXPECT_EQ(Propose(t, L"x.jpg", false, 12), L"0012.jpg");
}

TEST(CreateNames, PrefixLosesLeadingSpacesSuffixKeepsItsOwn) {
  RenameTask t = Task(kOpCreateNames);
  t.Prefix = L"  img";
  t.CounterStart = L"001";
  t.Suffix = L"_a";
  EXPECT_EQ(Propose(t, L"P1.JPG", false, 1), L"img001_a.JPG");
  t.Suffix = L" b ";
  EXPECT_EQ(Propose(t, L"P1.JPG", false, 2), L"img002 b .JPG");
  EXPECT_EQ(Propose(t, L"dir.x", true, 3), L"img003 b ");
  t.Prefix = L"   ";
  t.Suffix = L"";
  EXPECT_EQ(Propose(t, L"P1.JPG", false, 1000), L"1000.JPG");
}

TEST(DateStamps, InFrontAndBeforeTheExtension) {
  const DateTime stamp = UnpackDos(PackDos({2014, 3, 25, 18, 53, 5}));  // as ReadFileTime gives it
  RenameTask t = Task(kOpDateToBegin);
  t.DateFormat = L"yyyy-mm-dd";
  EXPECT_EQ(Propose(t, L"x.jpg", false, 0, stamp), L"2014-03-25_x.jpg");
  t.AddDatePart = kDatePartBoth;
  EXPECT_EQ(Propose(t, L"x.jpg", false, 0, stamp), L"2014-03-25-18.53.04_x.jpg");
  t.AddDatePart = kDatePartTime;
  EXPECT_EQ(Propose(t, L"x.jpg", false, 0, stamp), L"18.53.04_x.jpg");
  t.Operation = kOpDateToEnd;
  EXPECT_EQ(Propose(t, L"x.jpg", false, 0, stamp), L"x_18.53.04.jpg");
  EXPECT_EQ(Propose(t, L"x.y", true, 0, stamp), L"x.y_18.53.04");
  t.AddDatePart = kDatePartBoth;
  t.DateFormat = kDefaultDateFormat;
  EXPECT_EQ(Propose(t, L"x.jpg", false, 0, stamp), L"x_25-03-2014-18.53.04.jpg");
  t.AddDatePart = 0;
  EXPECT_FALSE(ProposeName(t, L"x.jpg", false, 0, stamp, Cases(), Dates()).has_value());
}

TEST(ProposeName, NothingForOperationsThatRenameNothing) {
  for (OperationId op : {kNoOperation, 0, 8, 13, 14, 20, kOpAttributes, kOpChangeDateTime})
    EXPECT_FALSE(ProposeName(Task(op), L"a.txt", false, 0, {}, Cases(), Dates()).has_value()) << op;
  EXPECT_TRUE(UsesCounter(kOpNumerate));
  EXPECT_TRUE(UsesCounter(kOpCreateNames));
  EXPECT_FALSE(UsesCounter(kOpAddFromBegin));
}

// Every count and position the panel can hold, on the names where cuts go
// wrong: empty, one character, all extension, a bare dot, and folders.
TEST(ProposeName, EveryCountOnShortNamesStaysInsideTheName) {
  struct Entry {
    std::wstring name;
    bool isFolder;
  };
  const std::vector<Entry> entries = {{L"", false},      {L"a", false},    {L".txt", false}, {L".", false},
                                      {L"a.", false},    {L"ab.c", false}, {L"", true},      {L"a", true},
                                      {L".x", true},     {L"abc.d", true}, {kParty, false},  {kScript, false},
                                      {kAllWide, false}, {kAllWide, true}};
  const std::wstring text = L"<>";
  for (const Entry& e : entries) {
    for (int k = 0; k <= 254; ++k) {
      for (int other : {0, 1, 2, k, 254}) {
        RenameTask t;
        t.RenameTo = text;
        t.InsertAt = k;
        t.TrimCount = k, t.TrimAt = other;
        t.KeepHead = k, t.KeepTail = other;
        const auto msg = [&] {
          return testing::Message() << "'" << std::string(e.name.begin(), e.name.end()) << "' " << e.isFolder
                                    << " k=" << k << " other=" << other;
        };
        for (OperationId op : {kOpAddFromBegin, kOpAddFromEnd}) {
          t.Operation = op;
          const std::wstring r = Propose(t, e.name, e.isFolder);
          EXPECT_TRUE(IsNameWithInsert(r, e.name, text)) << msg();
          EXPECT_FALSE(HasLoneSurrogate(r)) << msg() << " op " << op;
        }
        for (OperationId op : {kOpTrimFromBegin, kOpTrimFromEnd, kOpTrimBetween}) {
          t.Operation = op;
          const std::wstring r = Propose(t, e.name, e.isFolder);
          EXPECT_TRUE(IsNameWithOneCut(r, e.name)) << msg() << " op " << op;
          EXPECT_FALSE(HasLoneSurrogate(r)) << msg() << " op " << op;
          // The extension is never cut from the end side.
          if (op != kOpTrimFromBegin) {
            EXPECT_TRUE(r.ends_with(e.name.substr(e.name.size() - ExtensionLength(e.name, e.isFolder)))) << msg();
          }
        }
      }
    }
  }
}

TEST(ProposeName, NegativeAndHugeCountsAreClipped) {
  RenameTask t;
  t.RenameTo = L"X";
  for (int v : {-1, -254, INT_MIN, 255, INT_MAX}) {
    t.InsertAt = t.TrimCount = t.TrimAt = t.KeepHead = t.KeepTail = v;
    for (OperationId op : {kOpAddFromBegin, kOpAddFromEnd}) {
      t.Operation = op;
      EXPECT_TRUE(IsNameWithInsert(Propose(t, L"ab.c"), L"ab.c", L"X")) << v;
    }
    for (OperationId op : {kOpTrimFromBegin, kOpTrimFromEnd, kOpTrimBetween}) {
      t.Operation = op;
      EXPECT_TRUE(IsNameWithOneCut(Propose(t, L"ab.c"), L"ab.c")) << v;
    }
  }
  t.InsertAt = -3;
  t.Operation = kOpAddFromBegin;
  EXPECT_EQ(Propose(t, L"ab.c"), L"Xab.c");
  t.Operation = kOpAddFromEnd;
  EXPECT_EQ(Propose(t, L"ab.c"), L"abX.c");
}

TEST(ProposeName, SystemConversionHandlesAccentedLetters) {
  RenameTask t = Task(kOpConvertCase);
  const auto upper = ProposeName(t, L"R\u00E9sum\u00E9.pdf", false, 0, {}, SystemCaseConverter(), Dates());
  EXPECT_EQ(upper.value_or(L""), L"R\u00C9SUM\u00C9.PDF");
  t.Operation = kOpCapitalize;
  t.EveryWord = true;
  const auto words = ProposeName(t, L"\u00E9T\u00C9 \u00E0 PARIS.MP3", false, 0, {}, SystemCaseConverter(), Dates());
  EXPECT_EQ(words.value_or(L""), L"\u00C9t\u00E9 \u00C0 Paris.mp3");
}

TEST(CodePoints, EveryCutAndInsertCountsACharacterBeyondTheBasicPlaneOnce) {
  struct Case {
    OperationId op;
    std::wstring name;
    int a, b;  // InsertAt, or TrimCount and TrimAt, or KeepHead and KeepTail
    std::wstring after;
  };
  const Case cases[] = {
      {kOpAddFromBegin, kParty, 1, 0, L"\U0001F600X party.jpg"},
      {kOpAddFromBegin, kScript, 1, 0, L"\U0001D49CXbc.txt"},
      {kOpAddFromBegin, kAllWide, 2, 0, L"\U0001F600\U0001F601X\U0001F602.\U0001D49C"},
      {kOpAddFromEnd, kParty, 1, 0, L"\U0001F600 partXy.jpg"},
      {kOpAddFromEnd, kScript, 2, 0, L"\U0001D49CXbc.txt"},
      {kOpAddFromEnd, kScript, 3, 0, L"X\U0001D49Cbc.txt"},
      {kOpAddFromEnd, kAllWide, 1, 0, L"\U0001F600\U0001F601X\U0001F602.\U0001D49C"},
      {kOpTrimFromBegin, kParty, 1, 0, L" party.jpg"},
      {kOpTrimFromBegin, kScript, 1, 0, L"bc.txt"},
      {kOpTrimFromBegin, kAllWide, 1, 1, L"\U0001F600\U0001F602.\U0001D49C"},
      {kOpTrimFromBegin, kAllWide, 4, 0, L"\U0001D49C"},
      {kOpTrimFromEnd, kParty, 5, 0, L"\U0001F600 .jpg"},
      {kOpTrimFromEnd, kScript, 1, 2, L"bc.txt"},
      {kOpTrimFromEnd, kAllWide, 1, 0, L"\U0001F600\U0001F601.\U0001D49C"},
      {kOpTrimBetween, kParty, 1, 1, L"\U0001F600y.jpg"},
      {kOpTrimBetween, kScript, 1, 1, L"\U0001D49Cc.txt"},
      {kOpTrimBetween, kAllWide, 1, 1, L"\U0001F600\U0001F602.\U0001D49C"},
      {kOpTrimBetween, kAllWide, 0, 2, L"\U0001F601\U0001F602.\U0001D49C"},
  };
  for (const Case& c : cases) {
    RenameTask t = Task(c.op);
    t.RenameTo = L"X";
    t.InsertAt = c.a;
    t.TrimCount = t.KeepHead = c.a;
    t.TrimAt = t.KeepTail = c.b;
    const std::wstring r = Propose(t, c.name);
    EXPECT_EQ(r, c.after) << "op " << c.op << " a=" << c.a << " b=" << c.b;
    EXPECT_FALSE(HasLoneSurrogate(r)) << "op " << c.op;
  }
  EXPECT_EQ(HeadOf(kAllWide, 1), L"\U0001F600");
  EXPECT_EQ(TailOf(kAllWide, 2), L".\U0001D49C");
  EXPECT_EQ(FromPosition(kAllWide, 3), L"\U0001F602.\U0001D49C");
}

TEST(CodePoints, CaseChangesHandACharacterBeyondTheBasicPlaneToTheConversionWhole) {
  // Deseret letters have case; this conversion knows only them, and only
  // when it gets both halves of the pair together.
  const std::wstring small = L"\U00010428", capital = L"\U00010400";
  auto replaceAll = [](std::wstring s, const std::wstring& from, const std::wstring& to) {
    for (size_t at; (at = s.find(from)) != std::wstring::npos;) s.replace(at, from.size(), to);
    return s;
  };
  const CaseConverter deseret{[&](const std::wstring& s) { return replaceAll(s, small, capital); },
                              [&](const std::wstring& s) { return replaceAll(s, capital, small); }};
  const std::wstring name = small + capital + L" " + small + L".txt";
  EXPECT_EQ(Capitalize(name, false, false, deseret), capital + small + L" " + small + L".txt");
  EXPECT_EQ(Capitalize(name, false, true, deseret), capital + small + L" " + capital + L".txt");
  EXPECT_EQ(Capitalize(L"(" + name, false, false, deseret), L"(" + capital + small + L" " + small + L".txt");
  // The user's conversion leaves the emoji whole.
  RenameTask t = Task(kOpConvertCase);
  for (int mode : {kCaseUpper, kCaseLower}) {
    t.CaseMode = mode;
    const auto r = ProposeName(t, kParty, false, 0, {}, SystemCaseConverter(), Dates());
    EXPECT_EQ(r.value_or(L""), mode == kCaseUpper ? L"\U0001F600 PARTY.JPG" : kParty);
  }
  t = Task(kOpCapitalize);
  t.EveryWord = true;
  EXPECT_EQ(ProposeName(t, kParty, false, 0, {}, SystemCaseConverter(), Dates()).value_or(L""),
            L"\U0001F600 Party.jpg");
}
