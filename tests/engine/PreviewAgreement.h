// The preview against the run on the same list and the same disk in memory:
// for every row, what the preview shows is what the run then does (each
// collision answered "No"). Shared by the preview tests and the fuzz target.
#pragma once
#include <map>
#include <string>

#include "base/Text.h"
#include "engine/RenamePreview.h"
#include "engine/RenameRun.h"
#include "engine/RunChecks.h"

namespace rn::test {

// Files and folders by whole path, without regard to case.
struct MemoryDisk {
  std::map<std::wstring, EntryKind> entries;

  static std::wstring Fold(std::wstring s) {
    for (wchar_t& c : s) c = FoldCase(c);
    return s;
  }
  void Add(const std::wstring& path, EntryKind kind) { entries[Fold(path)] = kind; }
  EntryKind Kind(const std::wstring& path) const {
    const auto it = entries.find(Fold(path));
    return it == entries.end() ? EntryKind::None : it->second;
  }
  // A folder takes what lies below it along.
  RenameResult Rename(const std::wstring& from, const std::wstring& to, bool replace) {
    const std::wstring f = Fold(from), t = Fold(to);
    const EntryKind kind = Kind(from);
    if (kind == EntryKind::None) return RenameResult::Failed;
    if (f != t && Kind(to) != EntryKind::None) {
      if (!replace) return RenameResult::TargetExists;
      if (Kind(to) == EntryKind::Folder) return RenameResult::Failed;
    }
    std::map<std::wstring, EntryKind> moved;
    for (auto it = entries.begin(); it != entries.end();) {
      if (it->first == f || it->first.starts_with(f + L"\\")) {
        moved[t + it->first.substr(f.size())] = it->second;
        it = entries.erase(it);
      } else {
        ++it;
      }
    }
    for (auto& [path, k] : moved) entries[path] = k;
    return RenameResult::Done;
  }
};

// A stamp of its own for each name, the same for the preview and the run.
inline DateTime StampFor(const std::wstring& name) {
  DateTime t;
  t.year = 1990 + static_cast<int>(name.size() % 30);
  t.month = 1 + static_cast<int>(name.size() % 12);
  t.day = 1 + static_cast<int>(name.size() % 28);
  return t;
}

inline PreviewPorts MemoryPorts(const MemoryDisk& disk, const DateLocale& dates) {
  PreviewPorts ports;
  ports.entry = [&disk](const std::wstring& folder, const std::wstring& name) { return disk.Kind(folder + name); };
  ports.stamp = [](const FileRow& row) -> std::optional<DateTime> { return StampFor(row.name); };
  ports.cases = &PortableCaseConverter();
  ports.dates = dates;
  return ports;
}

inline std::string Narrowed(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += c > 31 && c < 127 ? static_cast<char>(c) : '?';
  return s;
}

// Empty when the preview and the run agree on every row; else what differs.
inline std::string PreviewDisagreement(FileList list, MemoryDisk disk, const RenameTask& request,
                                       const DateLocale& dates) {
  RenamePreview preview;
  preview.Start(request, list, MemoryPorts(disk, dates));
  while (!preview.Advance(7)) {
  }
  const int n = list.Empty() ? 0 : list.RowCount();
  std::vector<RowPreview> shown;
  for (int r = 0; r < n; ++r) shown.push_back(preview.Row(r));

  std::string out;
  auto differ = [&](int row, const std::string& what) {
    out += "row " + std::to_string(row) + " '" + Narrowed(list.Row(row).name) + "' -> '" +
           Narrowed(shown[static_cast<size_t>(row)].name) + "': " + what + "\n";
  };
  if (KindOf(request.Operation) != OperationKind::Name) {
    for (int r = 0; r < n; ++r)
      if (shown[static_cast<size_t>(r)].mark != PreviewMark::None) differ(r, "a mark for an operation without names");
    return out;
  }
  const CheckResult check = CheckRenameTask(request, list, dates);
  if (check.stop) {
    for (int r = 0; r < n; ++r) {
      const bool refused = shown[static_cast<size_t>(r)].mark == PreviewMark::Refused &&
                           shown[static_cast<size_t>(r)].reason == check.messages.front();
      if (list.Row(r).checked != refused) differ(r, "the checks stop the run");
    }
    return out;
  }

  std::vector<std::string> did(static_cast<size_t>(n));  // what the run did to each row
  int current = -1;
  RunPorts ports;
  ports.fileExists = [&](const std::wstring& p) { return disk.Kind(p) == EntryKind::File; };
  ports.folderExists = [&](const std::wstring& p) { return disk.Kind(p) == EntryKind::Folder; };
  ports.enterFolder = [](const std::wstring&) { return true; };
  ports.propose = [&](const FileRow& row, int64_t counter) {
    current = static_cast<int>(&row - &std::as_const(list).Rows()[0]);
    return ProposeForRow(
        check.task, row, counter, [&] { return std::optional<DateTime>(StampFor(row.name)); }, PortableCaseConverter(),
        dates);
  };
  ports.progress = [&](int position) { current = position - 1; };  // each rename of the plan comes after it
  ports.askCollision = [&](const std::wstring& proposal) {
    did[static_cast<size_t>(current)] += "asked " + Narrowed(proposal) + ";";
    return CollisionAnswer::No;
  };
  ports.tell = [&](const std::wstring& message) {
    did[static_cast<size_t>(current)] += "told " + Narrowed(message) + ";";
  };
  ports.rename = [&](const std::wstring& from, const std::wstring& to) { return disk.Rename(from, to, false); };
  ports.temporaryName = [](const std::wstring& folder, size_t cycle) {
    return folder + L"\u00A7temp" + std::to_wstring(cycle);
  };
  std::vector<std::wstring> before;
  for (int r = 0; r < n; ++r) before.push_back(list.Row(r).name);
  const RunOutcome outcome = VisitRows(list, 1, check.firstCounter, ports);
  std::vector<bool> dropped(static_cast<size_t>(n));
  for (int r : outcome.notRenamed) dropped[static_cast<size_t>(r)] = true;

  for (int r = 0; r < n; ++r) {
    const RowPreview& p = shown[static_cast<size_t>(r)];
    const std::wstring& now = list.Row(r).name;
    const std::string& action = did[static_cast<size_t>(r)];
    const bool kept = now == before[static_cast<size_t>(r)] && action.empty() && !dropped[static_cast<size_t>(r)];
    switch (p.mark) {
      case PreviewMark::None:
      case PreviewMark::Unchanged:
        if (!kept) differ(r, "shown as left alone, but the run " + action);
        break;
      case PreviewMark::Change:
        if (now != p.name || !action.empty() || dropped[static_cast<size_t>(r)])
          differ(r, "shown as renamed, but the run " + action + " to '" + Narrowed(now) + "'");
        break;
      case PreviewMark::Collides:
        if (action != "asked " + Narrowed(p.name) + ";" || now != before[static_cast<size_t>(r)])
          differ(r, "shown as colliding, but the run " + action);
        break;
      case PreviewMark::TooLong:
      case PreviewMark::ZeroSize:
      case PreviewMark::NoName:
        if (action != "told " + Narrowed(p.reason) + ";" || now != before[static_cast<size_t>(r)])
          differ(r, "shown as refused, but the run " + action);
        break;
      case PreviewMark::Fails:
        if (!dropped[static_cast<size_t>(r)] || now != p.name)
          differ(r, "shown as failing, but the run did not fail it");
        break;
      case PreviewMark::Missing:
        if (!dropped[static_cast<size_t>(r)] || now != before[static_cast<size_t>(r)])
          differ(r, "shown as missing, but the run found it");
        break;
      case PreviewMark::Refused: differ(r, "shown as stopped, but the checks let the run go"); break;
    }
  }
  return out;
}

}  // namespace rn::test
