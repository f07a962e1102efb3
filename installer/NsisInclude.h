// The installer's include, made at build time from the program's own tables:
// the registry changes of the Explorer entry as the program's add and remove
// scripts make them (rename/shell/Registration.h), in NSIS's words, and the
// Send To link's name. The installer names no key of its own.
#pragma once
#include <string>

namespace rn {

// A text inside NSIS's double quotes: `$`, `"` and line breaks escaped; the
// character `folderMark` stands for the install folder ($INSTDIR).
std::string NsisString(const std::wstring& text, wchar_t folderMark);

// The include's text: defines RENAME_SENDTO_LINK and RENAME_SENDTO_ARGUMENTS,
// and the macros RenameExplorerAdd (writes what the add script writes, each
// key in its registry view, for a program in $INSTDIR on 64-bit Windows) and
// RenameExplorerRemove (takes out every key and value of either script in
// both views). Raises AppError when a script cannot be read.
std::string NsisInclude();

}  // namespace rn
