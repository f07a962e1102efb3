#include "filelist/FolderNames.h"

#include <iterator>

#include "base/Text.h"

namespace rn {

std::wstring_view FolderNames::Folded(const std::wstring& text) {
  folded_.assign(text);
  for (wchar_t& c : folded_) c = FoldCase(c);
  return folded_;
}

void FolderNames::Adopt(const std::wstring& folder, std::vector<FolderEntry>&& entries) {
  auto adopted = std::make_unique<Entries>();
  adopted->reserve(entries.size());
  for (FolderEntry& e : entries) {
    std::wstring key(Folded(e.name));
    adopted->emplace(std::move(key), std::move(e));
  }
  std::unique_ptr<Entries>& held = folders_[std::wstring(Folded(folder))];
  if (last_ == held.get()) last_ = nullptr;
  held = std::move(adopted);
}

FolderNames::Entries* FolderNames::Read(const std::wstring& folder) {
  const auto it = folders_.find(Folded(folder));
  return it == folders_.end() ? nullptr : it->second.get();
}

void FolderNames::Came(const std::wstring& folder, FolderEntry entry) {
  Entries* entries = Read(folder);
  if (!entries) return;
  std::wstring key(Folded(entry.name));
  entries->insert_or_assign(std::move(key), std::move(entry));
}

void FolderNames::Left(const std::wstring& folder, const std::wstring& name) {
  Entries* entries = Read(folder);
  if (!entries) return;
  const auto it = entries->find(Folded(name));
  if (it != entries->end()) entries->erase(it);
}

void FolderNames::ForgetBelow(const std::wstring& path) {
  const std::wstring below(Folded(path));
  for (auto it = folders_.begin(); it != folders_.end();)
    it = it->first.compare(0, below.size(), below) == 0 ? folders_.erase(it) : std::next(it);
  last_ = nullptr;
}

const FolderEntry* FolderNames::Find(const std::wstring& folder, const std::wstring& name) {
  if (!last_ || folder != lastFolder_) {
    auto it = folders_.find(Folded(folder));
    if (it == folders_.end()) {
      auto entries = std::make_unique<Entries>();
      if (scan_)
        scan_(folder, [&](FolderEntry&& e) {
          std::wstring key(Folded(e.name));
          entries->emplace(std::move(key), std::move(e));
        });
      it = folders_.emplace(std::wstring(Folded(folder)), std::move(entries)).first;
    }
    lastFolder_ = folder;
    last_ = it->second.get();
  }
  const auto found = last_->find(Folded(name));
  return found == last_->end() ? nullptr : &found->second;
}

}  // namespace rn
