#include "filelist/FolderNames.h"

#include "base/Text.h"

namespace rn {

namespace {

std::wstring Folded(const std::wstring& text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = FoldCase(c);
  return out;
}

}  // namespace

const FolderEntry* FolderNames::Find(const std::wstring& folder, const std::wstring& name) {
  const std::wstring key = Folded(folder);
  auto it = folders_.find(key);
  if (it == folders_.end()) {
    auto entries = std::make_unique<Entries>();
    if (scan_)
      scan_(folder, [&](FolderEntry&& e) {
        std::wstring folded = Folded(e.name);
        entries->emplace(std::move(folded), std::move(e));
      });
    it = folders_.emplace(key, std::move(entries)).first;
  }
  const auto found = it->second->find(Folded(name));
  return found == it->second->end() ? nullptr : &found->second;
}

}  // namespace rn
