// The preview of a run against the run itself, operation by operation on
// lists with unchecked, missing and colliding rows; the counter of a row
// among the checked ones; what a collision says.
#include <gtest/gtest.h>

#include "engine/PreviewAgreement.h"
#include "engine/RowDecision.h"

using namespace rn;
using rn::test::MemoryDisk;

namespace {

constexpr const wchar_t* kDir = L"C:\\d\\";

struct Case {
  const char* what;
  std::vector<std::wstring> rows;  // "-" in front: unchecked; "?" in front: not on disk; "\" at the end: a folder
  std::vector<std::wstring> alsoOnDisk;
  RenameTask task;
};

RenameTask Task(OperationId op, const std::wstring& renameTo = L"", const std::wstring& with = L"") {
  RenameTask t;
  t.Operation = op;
  t.RenameTo = renameTo;
  t.ReplaceWith = with;
  return t;
}

RenameTask With(RenameTask t, void (*set)(RenameTask&)) {
  set(t);
  return t;
}

void Fill(const Case& c, FileList& list, MemoryDisk& disk) {
  for (std::wstring spec : c.rows) {
    const bool unchecked = spec.starts_with(L"-"), missing = spec.starts_with(L"?");
    if (unchecked || missing) spec.erase(0, 1);
    const bool folder = spec.ends_with(L"\\");
    if (folder) spec.pop_back();
    const int r = list.AddRow(kDir + spec, folder, L"");
    list.Row(r).checked = !unchecked;
    if (!missing) disk.Add(kDir + spec, folder ? EntryKind::Folder : EntryKind::File);
  }
  for (const auto& name : c.alsoOnDisk) disk.Add(kDir + name, EntryKind::File);
}

}  // namespace

TEST(RenamePreview, ShowsWhatTheRunThenDoesForEveryOperation) {
  const std::vector<std::wstring> names = {L"a.txt", L"-b.txt", L"Photo One.JPG", L"?gone.txt", L"c d.tar.gz", L"x\\"};
  const Case cases[] = {
      {"insert at the front", names, {}, Task(kOpAddFromBegin, L"new_")},
      {"insert before the extension", names, {}, Task(kOpAddFromEnd, L"_2")},
      {"remove", names, {}, Task(kOpRemove, L" ")},
      {"replace", names, {}, Task(kOpReplace, L"o", L"0")},
      {"extension", names, {}, Task(kOpChangeExtension, L"md")},
      {"capitalise", names, {}, With(Task(kOpCapitalize), [](RenameTask& t) { t.EveryWord = true; })},
      {"upper case", names, {}, Task(kOpConvertCase)},
      {"trim from the begin", names, {}, With(Task(kOpTrimFromBegin), [](RenameTask& t) { t.TrimCount = 1; })},
      {"trim from the end", names, {}, With(Task(kOpTrimFromEnd), [](RenameTask& t) { t.TrimCount = 1; })},
      {"keep head and tail", names, {}, With(Task(kOpTrimBetween), [](RenameTask& t) { t.KeepHead = 1; })},
      {"number in front", names, {}, With(Task(kOpNumerate), [](RenameTask& t) { t.StartNumber = L"7"; })},
      {"number alone", names, {}, With(Task(kOpNumerate), [](RenameTask& t) { t.NumberStyle = kNumberExtension; })},
      {"stamp in front", names, {}, Task(kOpDateToBegin)},
      {"stamp at the end", names, {}, With(Task(kOpDateToEnd), [](RenameTask& t) { t.AddDatePart = kDatePartBoth; })},
      {"new names", names, {}, With(Task(kOpCreateNames), [](RenameTask& t) { t.Prefix = L"  img"; })},
      {"attributes: no names", names, {}, Task(kOpAttributes)},
      {"the checks stop the run", names, {}, Task(kOpRemove, L"a*")},
      {"two rows to one name",
       {L"a1.txt", L"a2.txt", L"b.txt"},
       {},
       With(Task(kOpTrimFromEnd), [](RenameTask& t) { t.TrimCount = 1; })},
      {"a name that is there", {L"a-old.txt", L"b-old.txt"}, {L"a.txt"}, Task(kOpRemove, L"-old")},
      {"a name freed above", {L"xa.txt", L"a.txt"}, {}, Task(kOpAddFromBegin, L"x")},
      {"a name taken by the row below", {L"a.txt", L"b.txt"}, {}, Task(kOpReplace, L"a", L"b")},
      {"case only", {L"Photo.JPG", L"x.txt"}, {}, With(Task(kOpConvertCase), [](RenameTask& t) { t.CaseMode = 5; })},
      {"a folder's name taken", {L"a.txt"}, {}, Task(kOpAddFromEnd, L"x")},
      {"a slash in the new name", {L"a.txt", L"ab.txt"}, {}, Task(kOpReplace, L"b", L"\\x")},
      {"nothing before the extension", {L"ab.txt", L"x.txt"}, {}, Task(kOpRemove, L"ab")},
      {"too long", {L"a.txt"}, {}, Task(kOpAddFromBegin, std::wstring(240, L'n'))},
      {"a folder renamed above its rows", {L"sub\\", L"sub\\in.txt", L"-sub\\out.txt"}, {}, Task(kOpAddFromEnd, L"1")},
  };
  for (const Case& c : cases) {
    FileList list;
    MemoryDisk disk;
    Fill(c, list, disk);
    if (std::string(c.what) == "a folder's name taken") disk.Add(L"C:\\d\\ax.txt", EntryKind::Folder);
    EXPECT_EQ(rn::test::PreviewDisagreement(list, disk, c.task, PortableDateLocale()), "") << c.what;
  }
}

TEST(RenamePreview, ARowsCounterIsItsPlaceAmongTheCheckedRowsAndTheRunsPassKnowsWhoIsMissing) {
  FileList list;
  MemoryDisk disk;
  Fill({"", {L"a.txt", L"-b.txt", L"?c.txt", L"d.txt"}, {}, {}}, list, disk);
  RenameTask t = Task(kOpNumerate);
  t.StartNumber = L"01";
  t.NumberStyle = kNameNumber;
  RenamePreview p;
  p.Start(t, list, rn::test::MemoryPorts(disk, PortableDateLocale()));
  // Asked before the pass: from the row alone, every checked row above counts.
  EXPECT_EQ(p.Row(0).name, L"a01.txt");
  EXPECT_EQ(p.Row(1).mark, PreviewMark::None) << "unchecked: no number, no new name";
  EXPECT_EQ(p.Row(3).name, L"d03.txt");
  EXPECT_FALSE(p.Exact(3));
  EXPECT_FALSE(p.Done());
  EXPECT_TRUE(p.Advance(100));
  // The pass knows that the missing row is skipped: the run numbers d second.
  EXPECT_EQ(p.Row(2).mark, PreviewMark::Missing);
  EXPECT_EQ(p.Row(3).name, L"d02.txt");
  EXPECT_TRUE(p.Exact(3));
  EXPECT_EQ(p.Counts(), (PreviewCounts{2, 0, 0, 1}));
  EXPECT_EQ(PreviewSummary(p.Counts()), L"2 will change, 1 not found");
  list.Row(0).checked = false;  // the list changed: nothing shows until the preview starts over
  EXPECT_EQ(p.Row(3).mark, PreviewMark::None);
  EXPECT_TRUE(p.Advance(1));
}

TEST(RenamePreview, ACollisionSaysWithWhat) {
  FileList list;
  MemoryDisk disk;
  Fill({"", {L"a1.txt", L"a2.txt", L"b1.txt"}, {L"b.txt"}, {}}, list, disk);
  RenameTask t = Task(kOpTrimFromEnd);
  t.TrimCount = 1;
  RenamePreview p;
  p.Start(t, list, rn::test::MemoryPorts(disk, PortableDateLocale()));
  EXPECT_EQ(p.Row(1).mark, PreviewMark::Change) << "from the row alone the first row's new name is not known";
  EXPECT_EQ(p.Row(2).reason, L"A file named 'b.txt' is already there:\rthe run will ask before overwriting it.");
  EXPECT_TRUE(p.Advance(100));
  EXPECT_EQ(p.Row(0).mark, PreviewMark::Change);
  EXPECT_EQ(p.Row(1).mark, PreviewMark::Collides);
  EXPECT_EQ(p.Row(1).reason, L"Row 1 gets the name 'a.txt' first:\rthe run will ask before overwriting it.");
  EXPECT_EQ(PreviewSummary(p.Counts()), L"1 will change, 2 collide");
}

TEST(RenamePreview, AStopOfTheChecksMarksEveryCheckedRowWithItsMessage) {
  FileList list;
  MemoryDisk disk;
  Fill({"", {L"a.txt", L"-b.txt"}, {}, {}}, list, disk);
  RenamePreview p;
  p.Start(Task(kOpAddFromBegin, L""), list, rn::test::MemoryPorts(disk, PortableDateLocale()));
  EXPECT_EQ(p.Refusal(), L"No  'Rename to..'  string");
  EXPECT_EQ(p.Row(0).mark, PreviewMark::Refused);
  EXPECT_EQ(p.Row(1).mark, PreviewMark::None);
  p.Start(Task(kNoOperation), list, rn::test::MemoryPorts(disk, PortableDateLocale()));
  EXPECT_FALSE(p.Active()) << "before an operation is chosen nothing shows";
  EXPECT_EQ(p.Row(0).mark, PreviewMark::None);
}

TEST(FileList, CountsTheCheckedRowsAboveARowAndGrowsItsRevisionWithEveryChange) {
  FileList list;
  for (const wchar_t* n : {L"C:\\a", L"C:\\b", L"C:\\c"}) list.AddRow(n, false, L"");
  const uint64_t added = list.Revision();
  EXPECT_EQ(list.CheckedBefore(2), 2);
  list.Row(0).checked = false;
  EXPECT_GT(list.Revision(), added);
  EXPECT_EQ(list.CheckedBefore(0), 0);
  EXPECT_EQ(list.CheckedBefore(2), 1);
  EXPECT_EQ(list.CheckedBefore(3), 2);
  const uint64_t before = list.Revision();
  (void)std::as_const(list).Row(1);
  (void)list.Cell(ColFileName, 1);
  EXPECT_EQ(list.Revision(), before) << "reading changes nothing";
}

TEST(RowDecision, ProposalsAreJudgedAsTheRunJudgesThem) {
  FileRow file, folder;
  file.name = L"a.txt";
  folder.name = L"a";
  folder.isDir = true;
  EXPECT_EQ(JudgeProposal(file, std::nullopt), NameVerdict::None);
  EXPECT_EQ(JudgeProposal(file, L"a.txt"), NameVerdict::Unchanged);
  EXPECT_EQ(JudgeProposal(file, L"   "), NameVerdict::Unchanged);
  EXPECT_EQ(JudgeProposal(file, std::wstring(231, L'x')), NameVerdict::TooLong);
  EXPECT_EQ(JudgeProposal(file, std::wstring(230, L'x')), NameVerdict::Rename);
  EXPECT_EQ(JudgeProposal(file, L" .txt "), NameVerdict::ZeroSize);
  EXPECT_EQ(JudgeProposal(folder, L".txt"), NameVerdict::Rename) << "a folder has no extension";
  EXPECT_TRUE(AsksBeforeReplacing(L"b.txt", L"a.txt", EntryKind::File));
  EXPECT_FALSE(AsksBeforeReplacing(L"A.TXT", L"a.txt", EntryKind::File)) << "the entry itself in another case";
  EXPECT_FALSE(AsksBeforeReplacing(L"b", L"a.txt", EntryKind::Folder));
  EXPECT_EQ(RefusedNameCharacters(L"a/b:c.txt"), L"/:");
  FileRow unchecked = file;
  unchecked.checked = false;
  file.checked = folder.checked = true;
  EXPECT_TRUE(RunVisits(file, EntryKind::File));
  EXPECT_FALSE(RunVisits(file, EntryKind::Folder));
  EXPECT_TRUE(RunVisits(folder, EntryKind::Folder));
  EXPECT_FALSE(RunVisits(unchecked, EntryKind::File));
}
