// What the files of the list say about themselves, read once per file and
// kept while the file stays as it was: a keystroke in a text with fields costs
// no read, and a file changed since (another size or last write, as its
// folder's listing shows them) is read again.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

#include "filelist/MediaFields.h"

namespace rn {

class MediaCache {
 public:
  using Reader = std::function<MediaFields(const std::wstring& path)>;
  explicit MediaCache(Reader reader = ReadMediaFields) : reader_(std::move(reader)) {}

  // The fields of the file at `path` with this size and last write.
  const MediaFields& Fields(const std::wstring& path, uint64_t size, uint64_t lastWrite);
  // Whether they are at hand without a read.
  bool Has(const std::wstring& path, uint64_t size, uint64_t lastWrite) const;
  void Forget() { files_.clear(); }
  size_t Reads() const { return reads_; }

 private:
  struct Entry {
    uint64_t size = 0, lastWrite = 0;
    MediaFields fields;
  };
  Reader reader_;
  std::unordered_map<std::wstring, Entry> files_;
  size_t reads_ = 0;
};

}  // namespace rn
