// The text fields of an executable's version resource.
#pragma once
#include <string>

namespace rn {

struct FileVersionInfo {
  std::wstring CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright, LegalTrademarks,
      OriginalFileName, ProductName, ProductVersion, Comments, PrivateBuild, SpecialBuild;
};

// Raises the system error (AppError, base/Error.h) when the file has no version resource or
// no translation table; a missing field is left empty.
FileVersionInfo ReadFileVersionInfo(const std::wstring& fileName);

// The running program's own file, however long its path.
std::wstring ProgramFilePath();

// The running program's version resource.
FileVersionInfo ReadProgramVersionInfo();
// "(v" + FileVersion + ")" of the running program.
std::wstring ProgramVersionLabel();

}  // namespace rn
