// Self-registration in this Wine prefix's registry, and what the DLL file carries.
#include "ext/ExtHarness_win.h"
#include "shell/HandOffWire.h"

using namespace rnext;

namespace {

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + rn::kExtensionClassId;
// The ProgID carries the DLL's name.
const std::wstring kProgId = std::wstring(sizeof(void*) == 8 ? L"RENAME64" : L"RENAME32") + L".MorvanePlugin";

// The value, or "<none>" when the key or value is missing.
std::wstring ClassesValue(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t buf[1024];
  DWORD bytes = sizeof(buf);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &bytes) != ERROR_SUCCESS)
    return L"<none>";
  return buf;
}

std::wstring ModuleFile(HMODULE module) {
  wchar_t buf[MAX_PATH];
  return std::wstring(buf, GetModuleFileNameW(module, buf, MAX_PATH));
}

}  // namespace

TEST(Registration, WritesTheClassKeysAndDeletesThemAgain) {
  Server server;
  ASSERT_TRUE(server.Loaded());
  ASSERT_EQ(server.registerServer(), S_OK);
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
  } written[] = {
      {kClsidKey, nullptr, L""},
      {kClsidKey + L"\\InprocServer32", nullptr, ModuleFile(server.module)},
      {kClsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {kClsidKey + L"\\ProgID", nullptr, kProgId},
      {kProgId, nullptr, L""},
      {kProgId + L"\\Clsid", nullptr, rn::kExtensionClassId},
  };
  for (const auto& w : written) EXPECT_EQ(ClassesValue(w.key, w.name), w.value) << w.key;
  // Registered, the handler is made by COM itself, as Explorer makes it.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IContextMenu* menu = nullptr;
  EXPECT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu, reinterpret_cast<void**>(&menu)),
            S_OK);
  if (menu) menu->Release();
  CoFreeUnusedLibraries();
  CoUninitialize();
  EXPECT_EQ(server.unregisterServer(), S_OK);
  for (const auto& w : written) EXPECT_EQ(ClassesValue(w.key, w.name), L"<none>") << w.key;
  EXPECT_EQ(server.unregisterServer(), S_OK) << "nothing left to delete";
}

TEST(Registration, APathWithASpaceIsWrittenInItsShortForm) {
  rne2e::ProgramFolder folder;
  const std::wstring dll = DllBeside(folder, L"with space");
  Server server(dll);
  ASSERT_EQ(server.registerServer(), S_OK);
  const std::wstring written = ClassesValue(kClsidKey + L"\\InprocServer32");
  server.unregisterServer();
  wchar_t shortForm[MAX_PATH];
  if (GetShortPathNameW(dll.c_str(), shortForm, MAX_PATH) == 0 || wcschr(shortForm, L' '))
    GTEST_SKIP() << "this file system gives no short name for " << std::string(dll.begin(), dll.end());
  EXPECT_EQ(written.find(L' '), std::wstring::npos) << std::string(written.begin(), written.end());
  wchar_t longForm[MAX_PATH];
  GetLongPathNameW(written.c_str(), longForm, MAX_PATH);
  EXPECT_EQ(lstrcmpiW(longForm, dll.c_str()), 0);
}

TEST(DllFile, CarriesItsVersionAndTheMenuPicture) {
  const std::wstring dll = BuiltDll();
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeW(dll.c_str(), &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00020000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00020000u);
  for (const auto& [name, value] : {std::pair{L"FileDescription", L"Morvane dll"},
                                    {L"Comments", L"Adds a Explorer context menu for Morvane"},
                                    {L"FileVersion", L"1.0.2.0"},
                                    {L"ProductVersion", L"1.0.2.0"}}) {
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), (std::wstring(L"\\StringFileInfo\\040904E4\\") + name).c_str(),
                               reinterpret_cast<void**>(&text), &size));
    EXPECT_STREQ(text, value);
  }

  HMODULE data = LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  auto picture = static_cast<HBITMAP>(LoadImageW(data, MAKEINTRESOURCEW(101), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(picture, nullptr);
  BITMAP info{};
  GetObjectW(picture, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 16);
  EXPECT_EQ(info.bmHeight, 16);
  EXPECT_EQ(info.bmBitsPixel, 24);
  DeleteObject(picture);
  FreeLibrary(data);
}
