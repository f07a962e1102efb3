// The little of a compiled HTML help file (ITSF, "Rename.chm") that the build
// and its test need: the header, the directory's listing chunks (PMGL), the
// files kept uncompressed in content section 0, and the help project's context
// map. The pages themselves sit LZX-compressed in section 1 and are only listed.
#pragma once
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace rn::chm {

struct Entry {
  std::string name;  // "/index.htm", "/#SYSTEM", ...
  uint64_t section = 0, offset = 0, length = 0;
};

struct Chunk {
  uint64_t at = 0;  // where the chunk starts in the file
  std::vector<Entry> entries;
};

struct File {
  std::string bytes;
  uint64_t contentAt = 0;  // content section 0 starts here
  uint64_t chunkSize = 0;
  uint64_t quickRefEvery = 5;
  std::vector<Chunk> chunks;
};

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline uint64_t Le(const std::string& b, uint64_t at, int bytes) {
  if (at + bytes > b.size()) throw std::runtime_error("read past the end");
  uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

inline void PutLe(std::string& b, uint64_t at, int bytes, uint64_t v) {
  for (int i = 0; i < bytes; ++i, v >>= 8) b[at + i] = static_cast<char>(v & 0xff);
}

// The directory's numbers: 7 bits a byte, most significant first.
inline uint64_t GetEncInt(const std::string& b, uint64_t& at, uint64_t end) {
  uint64_t v = 0;
  while (at < end) {
    const auto c = static_cast<unsigned char>(b[at++]);
    v = v << 7 | (c & 0x7f);
    if (!(c & 0x80)) return v;
  }
  throw std::runtime_error("directory entry runs past its chunk");
}

inline std::string EncInt(uint64_t v) {
  std::string out(1, static_cast<char>(v & 0x7f));
  while (v >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7f)));
  return out;
}

inline File Read(std::string bytes) {
  File f;
  f.bytes = std::move(bytes);
  const std::string& b = f.bytes;
  if (b.size() < 0x60 || b.compare(0, 4, "ITSF") != 0 || Le(b, 4, 4) != 3)
    throw std::runtime_error("no ITSF version 3 header");
  const uint64_t dirAt = Le(b, 0x48, 8), dirSize = Le(b, 0x50, 8);
  f.contentAt = Le(b, 0x58, 8);
  if (dirAt > b.size() || dirSize > b.size() - dirAt || dirSize < 0x54 || f.contentAt > b.size() ||
      b.compare(dirAt, 4, "ITSP") != 0)
    throw std::runtime_error("no ITSP directory");
  const uint64_t headerSize = Le(b, dirAt + 8, 4), chunks = Le(b, dirAt + 0x2c, 4);
  f.chunkSize = Le(b, dirAt + 0x10, 4);
  f.quickRefEvery = 1 + (uint64_t{1} << (Le(b, dirAt + 0x14, 4) & 15));
  if (f.chunkSize < 0x20) throw std::runtime_error("bad chunk size");
  auto chunk = static_cast<int32_t>(Le(b, dirAt + 0x20, 4));
  for (uint64_t seen = 0; chunk != -1; ++seen) {
    const uint64_t at = dirAt + headerSize + static_cast<uint64_t>(chunk) * f.chunkSize;
    if (seen >= chunks || chunk < 0 || at + f.chunkSize > dirAt + dirSize || b.compare(at, 4, "PMGL") != 0)
      throw std::runtime_error("bad listing chunk");
    const uint64_t slack = Le(b, at + 4, 4);
    if (slack > f.chunkSize - 0x14) throw std::runtime_error("bad listing chunk");
    Chunk c{at, {}};
    for (uint64_t p = at + 0x14, end = at + f.chunkSize - slack; p < end;) {
      Entry e;
      const uint64_t nameSize = GetEncInt(b, p, end);
      if (nameSize > end - p) throw std::runtime_error("name runs past its chunk");
      e.name = b.substr(p, nameSize);
      p += nameSize;
      e.section = GetEncInt(b, p, end);
      e.offset = GetEncInt(b, p, end);
      e.length = GetEncInt(b, p, end);
      c.entries.push_back(e);
    }
    f.chunks.push_back(c);
    chunk = static_cast<int32_t>(Le(b, at + 0x10, 4));
  }
  return f;
}

inline const Entry* Find(const File& f, const std::string& name) {
  for (const Chunk& c : f.chunks)
    for (const Entry& e : c.entries)
      if (e.name == name) return &e;
  return nullptr;
}

// The data of a file kept in content section 0.
inline std::string Section0(const File& f, const std::string& name) {
  const Entry* e = Find(f, name);
  if (!e || e->section != 0 || e->offset > f.bytes.size() - f.contentAt ||
      e->length > f.bytes.size() - f.contentAt - e->offset)
    throw std::runtime_error(name + " is not an uncompressed file");
  return f.bytes.substr(f.contentAt + e->offset, e->length);
}

// Appends `data` to section 0, points the existing entry `name` at it and
// writes its chunk anew (entries, free space, quick-reference offsets).
inline void ReplaceWithUncompressed(File& f, const std::string& name, const std::string& data) {
  for (Chunk& c : f.chunks)
    for (Entry& e : c.entries) {
      if (e.name != name) continue;
      e = Entry{name, 0, f.bytes.size() - f.contentAt, data.size()};
      f.bytes += data;
      std::string list;
      std::vector<uint64_t> quick;
      for (size_t i = 0; i < c.entries.size(); ++i) {
        const Entry& x = c.entries[i];
        if ((i + 1) % f.quickRefEvery == 0) quick.push_back(list.size());
        list += EncInt(x.name.size()) + x.name + EncInt(x.section) + EncInt(x.offset) + EncInt(x.length);
      }
      if (0x14 + list.size() + 2 * (quick.size() + 1) > f.chunkSize) throw std::runtime_error("chunk overflows");
      std::string chunk = f.bytes.substr(c.at, 0x14) + list;
      chunk.resize(f.chunkSize, '\0');
      PutLe(chunk, 4, 4, f.chunkSize - 0x14 - list.size());
      PutLe(chunk, f.chunkSize - 2, 2, c.entries.size());
      for (size_t k = 0; k < quick.size(); ++k) PutLe(chunk, f.chunkSize - 4 - 2 * k, 2, quick[k]);
      f.bytes.replace(c.at, f.chunkSize, chunk);
      // The header's section 0 (at 0x38) records the file's length.
      PutLe(f.bytes, Le(f.bytes, 0x38, 8) + 8, 8, f.bytes.size());
      return;
    }
  throw std::runtime_error(name + " is not in the directory");
}

// The lines of one [SECTION] of a help project (.hhp).
inline std::vector<std::string> ProjectSection(const std::string& project, const std::string& name) {
  auto trim = [](const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
  };
  std::istringstream in(project);
  std::vector<std::string> lines;
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    line = trim(line);
    if (!line.empty() && line[0] == '[')
      inside = line == "[" + name + "]";
    else if (inside && !line.empty())
      lines.push_back(line);
  }
  return lines;
}

// Context number -> page, from the project's [MAP] (its "#include" of #define
// lines) and [ALIAS] (id=page) sections. `folder` holds the project.
inline std::map<uint32_t, std::string> ContextMap(const std::string& folder, const std::string& projectFile) {
  const std::string project = ReadWhole(folder + "/" + projectFile);
  std::map<std::string, std::string> pages;
  for (const std::string& alias : ProjectSection(project, "ALIAS")) {
    const size_t eq = alias.find('=');
    if (eq == std::string::npos) continue;
    std::string id = alias.substr(0, eq), page = alias.substr(eq + 1);
    id.erase(id.find_last_not_of(" \t") + 1);
    page.erase(0, page.find_first_not_of(" \t"));
    pages[id] = page;
  }
  std::map<uint32_t, std::string> map;
  for (const std::string& line : ProjectSection(project, "MAP")) {
    std::istringstream words(line);
    std::string include, header;
    if (!(words >> include >> header) || include != "#include") continue;
    std::istringstream defines(ReadWhole(folder + "/" + header));
    for (std::string row; std::getline(defines, row);) {
      std::istringstream parts(row);
      std::string define, id;
      uint32_t number = 0;
      if (parts >> define >> id >> number && define == "#define" && pages.count(id)) map[number] = pages[id];
    }
  }
  return map;
}

}  // namespace rn::chm
