#include "filelist/FolderNames.h"

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
