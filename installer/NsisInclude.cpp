#include "NsisInclude.h"

#include <map>

#include "base/Error.h"
#include "base/Text.h"
#include "shell/Registration.h"
#include "shell/RegistryScript.h"

namespace rn {

namespace {

// Stands for $INSTDIR inside the scripts' paths: no path holds it.
constexpr wchar_t kFolderMark = L'\x01';

std::string RootName(const std::wstring& root) {
  static const std::map<std::wstring, std::string> names = {{L"HKEY_LOCAL_MACHINE", "HKLM"},
                                                            {L"HKEY_CURRENT_USER", "HKCU"},
                                                            {L"HKEY_CLASSES_ROOT", "HKCR"},
                                                            {L"HKEY_USERS", "HKU"}};
  for (const auto& [name, nsis] : names)
    if (EqualsNoCase(name, root)) return nsis;
  throw AppError{L"registry script: no NSIS name for the root " + root};
}

// Lines of one macro, switching the registry view only where it changes.
struct Macro {
  std::string text;
  int view = 0;
  explicit Macro(const char* name) : text(std::string("!macro ") + name + "\n") {}
  void Line(const RegistryKey& key, const std::string& words) {
    const int want = key.view32 ? 32 : 64;
    if (want != view) text += "  SetRegView " + std::to_string(view = want) + "\n";
    text += "  " + words + " " + RootName(key.root) + " \"" + NsisString(key.path, kFolderMark) + "\"";
  }
  std::string End() { return text + "  SetRegView default\n!macroend\n"; }
};

}  // namespace

std::string NsisString(const std::wstring& text, wchar_t folderMark) {
  std::wstring out;
  for (wchar_t c : text) {
    switch (c) {
      case L'$': out += L"$$"; break;
      case L'"': out += L"$\\\""; break;
      case L'\r': out += L"$\\r"; break;
      case L'\n': out += L"$\\n"; break;
      case L'\t': out += L"$\\t"; break;
      default: out += c == folderMark ? std::wstring(L"$INSTDIR") : std::wstring(1, c);
    }
  }
  return Utf8FromWide(out);
}

std::string NsisInclude() {
  const std::wstring folder = std::wstring(1, kFolderMark) + L"\\";
  const RegistryScript add = ReadRegistryScript(AddScriptLines(folder, true, true));
  const RegistryScript remove = ReadRegistryScript(RemoveScriptLines(true));
  const RegistryCleanUp cleanUp = CleanUpFor(add, remove);

  std::string text =
      "; Made at build time by make_nsis_include from the program's registration scripts\n"
      "; (rename/shell/Registration.cpp); edit those, not this.\n";
  text += "!define RENAME_SENDTO_LINK \"" + NsisString(kSendToLinkName, kFolderMark) + "\"\n";
  text += "!define RENAME_SENDTO_ARGUMENTS \"" + NsisString(kSendToArguments, kFolderMark) + "\"\n\n";

  Macro install("RenameExplorerAdd");
  for (const RegistryValue& v : add.values) {
    install.Line(v.key, "WriteRegStr");
    install.text += " \"" + NsisString(v.name, kFolderMark) + "\" \"" + NsisString(v.data, kFolderMark) + "\"\n";
  }
  text += install.End() + "\n";

  Macro uninstall("RenameExplorerRemove");
  for (bool view32 : {false, true}) {
    for (const RegistryKey& k : cleanUp.keys) {
      if (k.view32 != view32) continue;
      uninstall.Line(k, "DeleteRegKey");
      uninstall.text += "\n";
    }
    for (const RegistryValue& v : cleanUp.values) {
      if (v.key.view32 != view32) continue;
      uninstall.Line(v.key, "DeleteRegValue");
      uninstall.text += " \"" + NsisString(v.name, kFolderMark) + "\"\n";
    }
  }
  text += uninstall.End();
  return text;
}

}  // namespace rn
