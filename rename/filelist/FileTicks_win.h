// A file-system stamp as the one number folder listings keep it in.
#pragma once
#include <windows.h>

#include <cstdint>

namespace rn {

inline uint64_t FileTimeTicks(const FILETIME& t) {
  return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace rn
