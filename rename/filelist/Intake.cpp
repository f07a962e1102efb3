#include "filelist/Intake.h"

#include "base/LongPath.h"
#include "base/Path.h"
#include "base/Text.h"
#include "filelist/TypeFilter.h"

namespace rn {

namespace {

std::wstring Folded(const std::wstring& s) {
  std::wstring out(s);
  for (auto& c : out) c = FoldCase(c);
  return out;
}

}  // namespace

void Intake::BeginBatch() {
  ResetFolderAnswer();
  busy = true;
  stopped = false;
}

void Intake::AddPath(const std::wstring& path) { AddFound(NormalPath(path), nullptr); }

void Intake::AddFound(const std::wstring& path, const FoundEntry* found) {
  if (stopped || path.empty()) return;
  const std::wstring filter = EffectiveFilter(typeFilter);
  if (!PassesTypeFilter(filter, ExtensionOfPath(path))) return;
  if (list->ContainsPath(path)) return;
  FoundEntry looked;
  if (!found) {
    looked = ports.lookup(path);
    found = &looked;
  }
  if (!found->isDir) {
    list->AddRow(path, false, found->date);
    return;
  }
  switch (folderAnswer) {
    case FolderAnswer::Skip: return;
    case FolderAnswer::Recursive:
      // "All* Files" stands for the whole batch: later folders are walked too.
      Walk(JoinPath(path, filter));
      return;
    case FolderAnswer::Ask: break;
  }
  switch (ports.askFolder(path)) {
    case FolderChoice::Folder: list->AddRow(path, true, found->date); break;
    case FolderChoice::Files: ScanFolder(JoinPath(path, filter), nullptr); break;
    case FolderChoice::AllFiles:
      folderAnswer = FolderAnswer::Recursive;
      Walk(JoinPath(path, filter));
      break;
    case FolderChoice::Cancel: folderAnswer = FolderAnswer::Skip; break;
  }
}

void Intake::ScanFolder(const std::wstring& pattern, std::deque<std::wstring>* queue) {
  const std::wstring folder = FolderOf(pattern);
  ports.scan(pattern, [&](const FoundEntry& e) {
    if (e.isDir) {
      if (queue && e.name != L"." && e.name != L".." && !e.isLink) {
        // A folder is skipped only when this very folder is already queued or walked.
        const std::wstring sub = folder + e.name;
        if (seen_.insert(Folded(sub)).second) queue->push_back(sub + L"\\*.*");
      }
    } else {
      AddFound(folder + e.name, &e);
    }
    if (!ports.pump()) stopped = true;
    return !stopped;
  });
}

void Intake::Walk(const std::wstring& firstPattern) {
  std::deque<std::wstring> queue;
  seen_.clear();
  std::wstring root = FolderOf(firstPattern);
  if (root.size() > 1 && root.back() == L'\\') root.pop_back();
  seen_.insert(Folded(root));
  ScanFolder(firstPattern, &queue);
  while (!queue.empty() && !stopped) {
    ScanFolder(queue.front(), &queue);
    queue.pop_front();
  }
  seen_.clear();
}

void Intake::Search(const std::wstring& folder, bool recursive) {
  const std::wstring first = JoinPath(folder, L"*.*");
  if (recursive) {
    Walk(first);
  } else {
    ScanFolder(first, nullptr);  // subfolders are dropped
  }
}

}  // namespace rn
