// The extension through its exports and COM interfaces, as Explorer uses it.
#include "ext/ExtHarness_win.h"

using namespace rnext;

namespace {

// An outer object that counts the references the inner object passes to it.
struct Outer : IUnknown {
  IUnknown* inner = nullptr;
  LONG refs = 1;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return inner->QueryInterface(iid, out);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
};

}  // namespace

TEST(Server, HandsOutItsFactoryForItsClassOnlyAndCountsWhatLives) {
  Server server;
  ASSERT_TRUE(server.Loaded());
  void* out = &server;
  EXPECT_EQ(server.getClassObject(IID_IContextMenu, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(server.getClassObject(kClsid, IID_IContextMenu, &out), E_NOINTERFACE);
  EXPECT_EQ(server.getClassObject(kClsid, IID_IClassFactory, nullptr), E_POINTER);
  EXPECT_EQ(server.canUnloadNow(), S_OK);

  IClassFactory* factory = server.Factory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(server.canUnloadNow(), S_FALSE) << "a reference on the factory";
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, nullptr), E_POINTER);
  out = &server;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  Outer outer;
  EXPECT_EQ(factory->CreateInstance(&outer, IID_IContextMenu, &out), CLASS_E_NOAGGREGATION);

  IContextMenu* menu = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
  factory->Release();
  EXPECT_EQ(server.canUnloadNow(), S_FALSE) << "a live handler";
  menu->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);

  factory = server.Factory();
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory->Release();
  EXPECT_EQ(server.canUnloadNow(), S_FALSE) << "locked";
  factory = server.Factory();
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST(Server, AnAggregatedHandlerPassesItsReferencesToTheOuterObject) {
  Server server;
  ASSERT_TRUE(server.Loaded());
  IClassFactory* factory = server.Factory();
  Outer outer;
  ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
  factory->Release();
  IContextMenu* menu = nullptr;
  ASSERT_EQ(outer.inner->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
  EXPECT_EQ(outer.refs, 2);
  IUnknown* identity = nullptr;
  ASSERT_EQ(menu->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  EXPECT_EQ(identity, &outer);
  identity->Release();
  menu->Release();
  EXPECT_EQ(outer.refs, 1);
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);
  outer.inner->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST(Handler, InitializeTakesTheDropOrReportsWhyNot) {
  Server server;
  IContextMenu* menu = server.Handler();
  ASSERT_NE(menu, nullptr);
  IShellExtInit* init = nullptr;
  ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)), S_OK);
  EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), E_INVALIDARG);
  DropObject none({});
  EXPECT_EQ(init->Initialize(nullptr, &none, nullptr), E_FAIL) << "no files";
  none.hasDrop = false;
  EXPECT_EQ(init->Initialize(nullptr, &none, nullptr), DV_E_FORMATETC) << "the data object's own error";
  init->Release();
  menu->Release();
}

TEST(Handler, AddsItsItemOnlyForQualifyingFlags) {
  Server server;
  IContextMenu* handler = server.Handler();
  ASSERT_NE(handler, nullptr);
  const HRESULT one = MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
  struct Case {
    UINT flags, first, last;
    HRESULT result;
  } cases[] = {
      {CMF_NORMAL, 1, 100, E_FAIL},
      {CMF_DEFAULTONLY, 1, 100, E_FAIL},
      {CMF_VERBSONLY, 1, 100, E_FAIL},
      {CMF_NOVERBS | CMF_CANRENAME, 1, 100, E_FAIL},
      {CMF_CANRENAME, 7, 100, one},
      {CMF_EXPLORE, 7, 100, one},
      {CMF_EXPLORE | CMF_DEFAULTONLY | CMF_NOVERBS, 7, 100, one},
      {CMF_CANRENAME, 0, 100, one},   // identifier 0 is a used identifier too
      {CMF_CANRENAME, 8, 7, E_FAIL},  // no identifier left
  };
  for (const auto& c : cases) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1000, L"first");
    AppendMenuW(menu, MF_STRING, 1001, L"second");
    EXPECT_EQ(handler->QueryContextMenu(menu, 1, c.first, c.last, c.flags), c.result) << "flags " << c.flags;
    const bool added = c.result == one;
    EXPECT_EQ(GetMenuItemCount(menu), added ? 3 : 2) << "flags " << c.flags;
    if (added) {
      wchar_t text[64] = L"";
      MENUITEMINFOW item{};
      item.cbSize = sizeof(item);
      item.fMask = MIIM_ID | MIIM_STRING | MIIM_CHECKMARKS | MIIM_STATE;
      item.dwTypeData = text;
      item.cch = 64;
      ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &item));
      EXPECT_EQ(item.wID, c.first);
      EXPECT_STREQ(text, L"|Re&name file[s] menu...");
      EXPECT_NE(item.hbmpUnchecked, nullptr);
      EXPECT_EQ(item.hbmpChecked, nullptr);
      EXPECT_EQ(item.fState & (MFS_DISABLED | MFS_CHECKED), 0u);
    }
    DestroyMenu(menu);
  }
  handler->Release();
}

TEST(Handler, AnswersVerbAndHelpTextWithinTheBuffer) {
  Server server;
  IContextMenu* handler = server.Handler();
  ASSERT_NE(handler, nullptr);
  struct Case {
    UINT type, cchMax;
    const char* written;  // followed by its null; null: nothing written
  } cases[] = {
      {GCS_VERBA, 4, "Mor"},
      {GCS_VERBA, 64, "Morvane"},
      {GCS_HELPTEXTA, 64, "Rename all selected items with Morvane."},
      {GCS_VERBW, 4, "Mor"},
      {GCS_HELPTEXTW, 64, "Rename all selected items with Morvane."},
      {GCS_HELPTEXTW, 1, ""},
      {GCS_VERBA, 0, nullptr},
      {GCS_VALIDATEA, 64, nullptr},
  };
  for (const auto& c : cases) {
    char buffer[160];
    memset(buffer, '*', sizeof buffer);
    EXPECT_EQ(handler->GetCommandString(5, c.type, nullptr, buffer, c.cchMax), S_OK);
    std::string expected;  // UTF-16 little-endian for the wide types
    for (const char* p = c.written; p; ++p) {
      expected += *p;
      if (c.type & GCS_UNICODE) expected += '\0';
      if (!*p) break;
    }
    EXPECT_EQ(std::string(buffer, expected.size()), expected) << "type " << c.type << ", cchMax " << c.cchMax;
    EXPECT_EQ(buffer[expected.size()], '*') << "type " << c.type << ", cchMax " << c.cchMax;
  }
  handler->Release();
}

TEST(Handler, AVerbStringAboveFourGigabytesIsNoCommandNumber) {
  if (sizeof(void*) < 8) GTEST_SKIP() << "a 32-bit pointer has no bits above 31";
  // A verb string whose address has bits 16 to 31 clear: only its upper
  // half tells it from a command number.
  char* verb = nullptr;
  for (uintptr_t at = uintptr_t{1} << 32; !verb && at < (uintptr_t{1} << 40); at += uintptr_t{1} << 32)
    verb = static_cast<char*>(VirtualAlloc(reinterpret_cast<void*>(at), 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (!verb) GTEST_SKIP() << "no page could be placed above 4 GiB";
  ASSERT_EQ(reinterpret_cast<uintptr_t>(verb) & 0xFFFF0000u, 0u);
  strcpy(verb, "open");
  Server server;
  IContextMenu* handler = server.Handler();
  ASSERT_NE(handler, nullptr);
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof info;
  info.lpVerb = verb;
  EXPECT_EQ(handler->InvokeCommand(&info), E_FAIL) << "taken for command 0, it would hand the selection over";
  handler->Release();
  VirtualFree(verb, 0, MEM_RELEASE);
}
