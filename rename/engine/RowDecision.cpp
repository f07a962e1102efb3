#include "engine/RowDecision.h"

#include <vector>

#include "base/Text.h"
#include "engine/FieldText.h"
#include "engine/Transforms.h"

namespace rn {

namespace {

constexpr size_t kLongestName = 230;

std::wstring TrimSpaces(const std::wstring& s) {
  const size_t a = s.find_first_not_of(L' ');
  if (a == std::wstring::npos) return L"";
  return s.substr(a, s.find_last_not_of(L' ') - a + 1);
}

}  // namespace

bool RunVisits(const FileRow& row, EntryKind onDisk) {
  if (!row.checked) return false;
  return onDisk == EntryKind::File || (row.isDir && onDisk == EntryKind::Folder);
}

std::optional<std::wstring> ProposeForRow(const RenameTask& task, const FileRow& row, int64_t counter,
                                          const std::function<std::optional<DateTime>()>& stamp,
                                          const CaseConverter& cases, const DateLocale& dates,
                                          const RowFieldPorts* fields) {
  DateTime when;
  if (task.Operation == kOpDateToBegin || task.Operation == kOpDateToEnd)
    if (std::optional<DateTime> read = stamp ? stamp() : std::nullopt) when = *read;
  const FieldSet needs = FieldsOfTask(task);
  if (!needs) return ProposeName(task, row.name, row.isDir, counter, when, cases, dates);
  FieldSource source = NameFields(row.Folder(), row.name, row.isDir);
  if (fields) {
    if ((needs & kMediaFieldSet) && !row.isDir && fields->media) source.media = fields->media(row);
    if ((needs & FieldBit(FieldId::Modified)) && fields->stamp) source.modified = fields->stamp(row, DateModified);
    if ((needs & FieldBit(FieldId::Created)) && fields->stamp) source.created = fields->stamp(row, DateCreated);
  }
  const TaskExpansion expanded = ExpandTaskFields(task, source, dates);
  if (!expanded.refusal.empty()) throw RowRefused(expanded.refusal, true);
  return ProposeName(expanded.task, row.name, row.isDir, counter, when, cases, dates);
}

NameVerdict JudgeProposal(const FileRow& row, const std::optional<std::wstring>& proposal) {
  if (!proposal) return NameVerdict::None;
  const std::wstring& next = *proposal;
  if (next == row.name || OnlySpaces(next)) return NameVerdict::Unchanged;
  if (Utf16Length(next) > kLongestName) return NameVerdict::TooLong;  // Windows' limit, as Windows measures it
  // A file's proposal that is all extension (".txt") has nothing in front of it.
  if (!row.isDir && TrimSpaces(next).find_last_of(L'.') == 0) return NameVerdict::ZeroSize;
  return NameVerdict::Rename;
}

std::wstring RefusedNameCharacters(const std::wstring& proposal) {
  const std::vector<wchar_t> bad = IllegalNameCharacters(proposal);
  return std::wstring(bad.begin(), bad.end());
}

bool AsksBeforeReplacing(const std::wstring& proposal, const std::wstring& old, EntryKind taken) {
  return taken == EntryKind::File && !EqualsNoCase(proposal, old);
}

}  // namespace rn
