#include "shell/Registration.h"

#include "base/Text.h"
#include "shell/HandOffWire.h"

namespace rn {

namespace {

const std::wstring kClassKey = std::wstring(L"Classes\\CLSID\\") + kExtensionClassId;
const std::wstring kHandlers[] = {L"*", L"Directory", L"Folder"};

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

}  // namespace

std::wstring EscapeRegistryPath(const std::wstring& path) {
  std::wstring out;
  out.reserve(path.size() + 8);
  for (wchar_t c : path) {
    out += c;
    if (c == L'\\') out += c;
  }
  return out;
}

std::wstring ExtensionFileFor(bool windows64) { return windows64 ? kExtension64 : kExtension32; }

std::vector<std::wstring> AddScriptLines(const std::wstring& programFolder, bool ntFamily, bool windows64) {
  // Each registry view names the extension of its own word size: 32-bit
  // programs on 64-bit Windows (their open and save dialogs show Explorer's
  // menu) read the Wow6432Node view and can load only RENAME32.DLL.
  const std::wstring handler = L"@=" + Quoted(kExtensionClassId);
  auto classLines = [&](const std::wstring& root, bool view64) {
    const std::wstring dll = EscapeRegistryPath(programFolder + ExtensionFileFor(view64));
    return std::vector<std::wstring>{L"[" + root + kClassKey + L"]",
                                     L"@=" + Quoted(kExtensionDescription),
                                     L"",
                                     L"[" + root + kClassKey + L"\\InProcServer32]",
                                     L"@=" + Quoted(dll),
                                     L"\"ThreadingModel\"=\"Apartment\"",
                                     L""};
  };
  std::vector<std::wstring> lines = {L"Windows Registry Editor Version 5.00", L""};
  for (auto& l : classLines(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\", windows64)) lines.push_back(l);
  lines.push_back(L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\ShellEx\\ContextMenuHandlers\\Morvane]");
  lines.push_back(handler);
  lines.push_back(L"");
  // No empty line between the folder blocks, as the script always had.
  lines.push_back(L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\ShellEx\\ContextMenuHandlers\\Morvane]");
  lines.push_back(handler);
  lines.push_back(L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Folder\\ShellEx\\ContextMenuHandlers\\Morvane]");
  lines.push_back(handler);
  lines.push_back(L"");
  lines.push_back(L"[HKEY_CURRENT_USER\\SOFTWARE\\Morvane]");
  lines.push_back(L"@=" + Quoted(EscapeRegistryPath(programFolder)));
  lines.push_back(L"");
  if (ntFamily) {
    lines.push_back(L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved]");
    lines.push_back(Quoted(kExtensionClassId) + L"=" + Quoted(kExtensionDescription));
    lines.push_back(L"");
  }
  if (windows64)
    for (auto& l : classLines(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\", false)) lines.push_back(l);
  lines.push_back(L"");
  return lines;
}

std::vector<std::wstring> RemoveScriptLines(bool windows64) {
  std::vector<std::wstring> lines = {L"Windows Registry Editor Version 5.00", L""};
  auto remove = [&](const std::wstring& key) {
    lines.push_back(L"[-" + key + L"]");
    lines.push_back(L"");
  };
  remove(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\" + kClassKey + L"\\InProcServer32");
  remove(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\" + kClassKey);
  for (const std::wstring& h : kHandlers)
    remove(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\" + h + L"\\ShellEx\\ContextMenuHandlers\\Morvane");
  remove(L"HKEY_CURRENT_USER\\Software\\Morvane");
  if (windows64) {
    remove(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\" + kClassKey + L"\\InProcServer32");
    remove(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\" + kClassKey);
  }
  lines.push_back(L"");
  return lines;
}

std::string RegistryScriptBytes(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const auto& line : lines) text += line + L"\r\n";
  std::string bytes;
  if (AnsiFromWide(text, bytes)) return bytes;
  // UTF-16 little-endian with its byte-order mark.
  bytes.assign("\xFF\xFE", 2);
  for (wchar_t c : text) {
    const auto unit = static_cast<uint32_t>(c);
    if (unit > 0xFFFF) {  // native builds hold whole code points: back to surrogates
      const uint32_t v = unit - 0x10000;
      for (uint32_t half : {0xD800 + (v >> 10), 0xDC00 + (v & 0x3FF)}) {
        bytes.push_back(static_cast<char>(half & 0xFF));
        bytes.push_back(static_cast<char>(half >> 8));
      }
      continue;
    }
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::wstring RegeditParameters(const std::wstring& scriptPath) {
  std::wstring quoted;
  for (wchar_t c : scriptPath) {
    quoted += c;
    if (c == L'"') quoted += c;
  }
  return L"/s \"" + quoted + L"\"";
}

}  // namespace rn
