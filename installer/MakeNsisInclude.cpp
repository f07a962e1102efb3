// make_nsis_include FILE: writes the installer's include (NsisInclude.h).
#include <cstdio>
#include <fstream>
#include <iostream>

#include "NsisInclude.h"
#include "base/Error.h"
#include "base/Text.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_nsis_include FILE\n";
    return 2;
  }
  try {
    const std::string text = rn::NsisInclude();
    std::ofstream out(argv[1], std::ios::binary);
    out << "\xEF\xBB\xBF" << text;  // makensis reads UTF-8 by its byte-order mark
    if (!out.flush()) {
      std::perror(argv[1]);
      return 1;
    }
  } catch (const rn::AppError& e) {
    std::cerr << rn::Utf8FromWide(e.text) << "\n";
    return 1;
  }
  return 0;
}
