// Windows: the file opened for reading only, shared with every other reader,
// writer and deleter (a photo open in an editor still gives its fields), and
// mapped for the readers that want it whole.
#include <windows.h>

#include <algorithm>

#include "base/FileSystem_win.h"
#include "base/Handle_win.h"
#include "base/Path.h"
#include "filelist/MediaReaders.h"

namespace rn {

namespace {

// The file's mapping and its view, made at the first need.
struct Mapping {
  KernelHandle section;
  MappedViewHandle view;
  bool tried = false;
};

const unsigned char* MapWhole(HANDLE file, Mapping& mapping) {
  if (!mapping.tried) {
    mapping.tried = true;
    mapping.section.Reset(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (mapping.section) mapping.view.Reset(MapViewOfFile(mapping.section.Get(), FILE_MAP_READ, 0, 0, 0));
  }
  return static_cast<const unsigned char*>(mapping.view.Get());
}

}  // namespace

MediaFields ReadMediaFields(const std::wstring& path) {
  try {
    const std::wstring extension = ExtensionOfPath(path);
    const MediaKind kind = MediaKindOf(extension);
    if (kind == MediaKind::None) return {};
    const FileHandle file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return {};
    Mapping mapping;  // outlives the readers, which may hold its view
    MediaBytes bytes;
    bytes.size = static_cast<uint64_t>(size.QuadPart);
    const HANDLE h = file.Get();
    bytes.read = WindowedReads([h](uint64_t offset, void* buffer, size_t wanted) -> size_t {
      size_t done = 0;
      while (done < wanted) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(wanted - done, 1u << 30));
        if (!ReadFile(h, static_cast<char*>(buffer) + done, ask, &got, &at) || got == 0) break;
        done += got;
      }
      return done;
    }, bytes.size);
    bytes.whole = [h, &mapping] { return MapWhole(h, mapping); };
    bytes.name = L"media" + extension;
    return ReadMediaBytes(bytes, kind);
  } catch (...) {
    return {};
  }
}

std::optional<DateTime> LocalFromUtc(int64_t seconds) {
  // FILETIME counts 100 ns from 1601; SYSTEMTIME holds the years 1601 to 30827.
  constexpr int64_t kFrom1601 = 11644473600;
  constexpr int64_t kLast = 910692730085;  // 30827-12-31 23:59:59 after 1601
  if (seconds < -kFrom1601 || seconds > kLast - kFrom1601) return std::nullopt;
  const uint64_t ticks = static_cast<uint64_t>(seconds + kFrom1601) * 10000000u;
  const FILETIME stamp{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc, local;
  // With summer time as the zone keeps it on that date, not today's offset.
  if (!FileTimeToSystemTime(&stamp, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
    return std::nullopt;
  return DateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace rn
