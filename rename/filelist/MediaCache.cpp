#include "filelist/MediaCache.h"

namespace rn {

const MediaFields& MediaCache::Fields(const std::wstring& path, uint64_t size, uint64_t lastWrite) {
  auto [it, added] = files_.try_emplace(path);
  Entry& e = it->second;
  if (added || e.size != size || e.lastWrite != lastWrite) {
    e.size = size;
    e.lastWrite = lastWrite;
    e.fields = reader_(path);
    ++reads_;
  }
  return e.fields;
}

bool MediaCache::Has(const std::wstring& path, uint64_t size, uint64_t lastWrite) const {
  auto it = files_.find(path);
  return it != files_.end() && it->second.size == size && it->second.lastWrite == lastWrite;
}

}  // namespace rn
