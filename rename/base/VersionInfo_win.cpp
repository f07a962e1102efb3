#include "base/VersionInfo.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "base/Error.h"
#include "base/LongPath.h"

namespace rn {

FileVersionInfo ReadFileVersionInfo(const std::wstring& fileName) {
  DWORD ignored = 0;
  const std::wstring file = SystemPath(fileName);
  DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) RaiseLastError();
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) RaiseLastError();

  struct Translation {
    WORD language, codePage;
  };
  Translation* table = nullptr;
  UINT tableSize = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation\\", reinterpret_cast<void**>(&table), &tableSize) ||
      tableSize < sizeof(Translation))
    RaiseLastError();
  wchar_t lang[16];
  std::swprintf(lang, 16, L"%.4x%.4x", table[0].language, table[0].codePage);

  FileVersionInfo info;
  struct Field {
    const wchar_t* name;
    std::wstring FileVersionInfo::*member;
  };
  static const Field fields[] = {
      {L"CompanyName", &FileVersionInfo::CompanyName},
      {L"FileDescription", &FileVersionInfo::FileDescription},
      {L"FileVersion", &FileVersionInfo::FileVersion},
      {L"InternalName", &FileVersionInfo::InternalName},
      {L"LegalCopyright", &FileVersionInfo::LegalCopyright},
      {L"LegalTrademarks", &FileVersionInfo::LegalTrademarks},
      {L"OriginalFileName", &FileVersionInfo::OriginalFileName},
      {L"ProductName", &FileVersionInfo::ProductName},
      {L"ProductVersion", &FileVersionInfo::ProductVersion},
      {L"Comments", &FileVersionInfo::Comments},
      {L"PrivateBuild", &FileVersionInfo::PrivateBuild},
      {L"SpecialBuild", &FileVersionInfo::SpecialBuild},
  };
  for (const Field& f : fields) {
    std::wstring query = std::wstring(L"\\StringFileInfo\\") + lang + L"\\" + f.name;
    wchar_t* value = nullptr;
    UINT len = 0;
    if (VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &len) && value)
      info.*f.member = std::wstring(value, wcsnlen(value, len));
  }
  return info;
}

std::wstring ProgramFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) return NormalPath(path.substr(0, n));  // started through an extended path too
    path.resize(path.size() * 2);                               // cut to the buffer: try a larger one
  }
}

FileVersionInfo ReadProgramVersionInfo() { return ReadFileVersionInfo(ProgramFilePath()); }

std::wstring ProgramVersionLabel() { return L"(v" + ReadProgramVersionInfo().FileVersion + L")"; }

}  // namespace rn
