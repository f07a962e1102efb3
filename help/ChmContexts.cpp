// Build step after chmcmd: writes the help file's context table anew.
//
// chmcmd (Free Pascal 3.2.2) names every context's topic by the absolute path
// of the project folder on the build machine ("/home/.../build/help/scripts.htm")
// and leaves context 0 out, so the viewer would open a missing page for F1.
// This step stores the table (#IVB) and its names (#STRINGS) again, uncompressed
// in content section 0, with the pages as the project's [ALIAS] names them.
//
//   chm_contexts FOLDER PROJECT.hhp FILE.chm
#include <cstdio>
#include <map>
#include <string>

#include "ChmFile.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: chm_contexts FOLDER PROJECT.hhp FILE.chm\n");
    return 2;
  }
  try {
    using namespace rn::chm;
    const std::map<uint32_t, std::string> contexts = ContextMap(argv[1], argv[2]);
    if (contexts.empty()) throw std::runtime_error("the project maps no context");
    File chm = Read(ReadWhole(argv[3]));
    // Topics (binary index or contents) would point into the #STRINGS replaced here.
    for (const char* shared : {"/#TOPICS", "/#IDXHDR"})
      if (Find(chm, shared)) throw std::runtime_error(std::string(shared) + " shares #STRINGS: no binary index or TOC");
    std::string strings(1, '\0'), table;
    std::map<std::string, uint32_t> at;
    for (const auto& [context, page] : contexts) {
      if (!Find(chm, "/" + page)) throw std::runtime_error(page + " is not in the help file");
      if (!at.count(page)) {
        at[page] = static_cast<uint32_t>(strings.size());
        strings += page + '\0';
      }
      table += std::string(8, '\0');
      PutLe(table, table.size() - 8, 4, context);
      PutLe(table, table.size() - 4, 4, at[page]);
    }
    std::string ivb(4, '\0');
    PutLe(ivb, 0, 4, table.size());
    ReplaceWithUncompressed(chm, "/#IVB", ivb + table);
    ReplaceWithUncompressed(chm, "/#STRINGS", strings);
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << chm.bytes;
    if (!out.flush()) throw std::runtime_error("cannot write the help file");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "chm_contexts: %s: %s\n", argv[3], e.what());
    return 1;
  }
  return 0;
}
