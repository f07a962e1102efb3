#include "ui/InfoPanel_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <memory>

#include "base/FileSystem_win.h"
#include "base/Handle_win.h"
#include "base/Path.h"
#include "base/Texts.h"
#include "filelist/FileList.h"
#include "filelist/FileTime.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"
#include "ui/Strip_win.h"
#include "ui/Tooltips_win.h"

namespace rn {

namespace {

constexpr int kFieldCount = 7;
// Value fields in their id order; the caption of each has the id + 10.
constexpr std::array<TextId, kFieldCount> kCaptions = {TextId::Label_1_info, TextId::Label_2_info, TextId::Label_3_info,
                                                       TextId::Label_4_info, TextId::Label_5_info, TextId::Label_6_info,
                                                       TextId::Label_7_info};
enum Field : int { Created, Modified, Accessed, Name, Folder, Size, Attributes };
constexpr int kCaptionOffset = kInfoCaptionFirstId - kInfoCreatedId;
constexpr UINT_PTR kImageToolId = 1;

struct InfoPanelForm : Form {
  Dpi dpi;
  HFONT font = nullptr;
  HWND tip = nullptr;
  HICON icon = nullptr;
  IconHandle iconOwner;

  HWND Child(int id) const { return GetDlgItem(hwnd, id); }
  HWND Value(Field f) const { return Child(kInfoCreatedId + f); }
  HWND Caption(Field f) const { return Child(kInfoCreatedId + f + kCaptionOffset); }
  HWND Media() const { return Child(kInfoMediaId); }

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    LRESULT result = 0;
    if (HandleStripMessage(hwnd, msg, wp, lp, result)) return result;
    switch (msg) {
      case WM_SIZE: Layout(); return 0;
      case WM_DESTROY:
        if (tip) DestroyWindow(tip);
        tip = nullptr;
        return 0;
      default: return DefWindowProcW(hwnd, msg, wp, lp);
    }
  }

  void Layout();
  void SetIcon(HICON next, const std::wstring& hint);
};

InfoPanelForm* FormOf(HWND panel) { return rn::FormOf<InfoPanelForm>(panel, kInfoPanelClassName); }

// Four lines of text beside the icon: name, folder, and size with
// attributes on the left, the three dates in a block before the close button;
// under them what the file says about itself, across both.
void InfoPanelForm::Layout() {
  RECT client{};
  GetClientRect(hwnd, &client);
  auto s = [&](int v) { return dpi.Scale(v); };
  const int width = client.right;
  const int lineH = std::max(s(13), TextHeight(font) + 1);
  const int panelH = s(kInfoPanelHeight);
  const int top = std::max(s(3), (panelH - 4 * lineH) / 2);
  const int gap = s(4);
  auto line = [&](int i) { return top + i * lineH; };
  // Captions end where their values begin; each label is as wide as its own
  // text, so that none is clipped or wrapped.
  auto textWidth = [&](Field f) { return TextWidth(font, WindowText(Caption(f))) + s(2); };
  auto columnWidth = [&](std::initializer_list<Field> fields) {
    int w = 0;
    for (Field f : fields) w = std::max(w, textWidth(f));
    return w;
  };
  HDWP batch = BeginDeferWindowPos(2 * kFieldCount + 4);
  auto put = [&](HWND c, int x, int y, int w, int h) {
    if (c) batch = DeferWindowPos(batch, c, nullptr, x, y, std::max(0, w), h, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  // Puts a caption ending at valueX and its value from there to valueRight.
  auto putField = [&](Field f, int valueX, int valueRight, int y) {
    const int w = textWidth(f);
    put(Caption(f), valueX - gap - w, y, w, lineH);
    put(Value(f), valueX, y, valueRight - valueX, lineH);
  };

  const int closeSize = s(16);
  const int closeX = width - s(22);
  put(Child(kInfoCloseId), closeX, s(3), closeSize, closeSize);
  const int imageSize = s(33);
  const int imageY = (panelH - imageSize) / 2;
  put(Child(kInfoImageId), s(6), imageY, imageSize, imageSize);

  // The dates: wide enough for the widest stamp the user's formats produce.
  SYSTEMTIME wide{2000, 12, 3, 28, 23, 58, 58, 0};
  wchar_t date[80] = {}, time[80] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &wide, nullptr, date, 80);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &wide, nullptr, time, 80);
  const int dateW = TextWidth(font, std::wstring(date) + L" " + time) + s(8);
  const int datesRight = closeX - s(8);
  const int leftX = s(46);
  const int datesValueX = std::max(leftX + columnWidth({Created, Modified, Accessed}) + gap, datesRight - dateW);
  for (Field f : {Created, Modified, Accessed}) putField(f, datesValueX, datesRight, line(f - Created));
  const int datesX = datesValueX - gap - columnWidth({Created, Modified, Accessed});

  // The file itself, left of the dates.
  const int valueX = leftX + columnWidth({Name, Folder, Size}) + gap;
  const int valueRight = datesX - s(10);
  putField(Name, valueX, valueRight, line(0));
  putField(Folder, valueX, valueRight, line(1));
  const int sizeW = TextWidth(font, FileSizeText(102399999990ull, L".")) + s(4);
  putField(Size, valueX, valueX + sizeW, line(2));
  const int attrX = valueX + sizeW + s(8) + textWidth(Attributes) + gap;
  putField(Attributes, attrX, valueRight, line(2));
  const int mediaW = TextWidth(font, WindowText(Child(kInfoMediaCaptionId))) + s(2);
  put(Child(kInfoMediaCaptionId), valueX - gap - mediaW, line(3), mediaW, lineH);
  put(Media(), valueX, line(3), datesRight - valueX, lineH);
  EndDeferWindowPos(batch);

  if (tip) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = hwnd;
    ti.uId = kImageToolId;
    ti.rect = ControlBounds(Child(kInfoImageId));
    SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void InfoPanelForm::SetIcon(HICON next, const std::wstring& hint) {
  SendMessageW(Child(kInfoImageId), STM_SETICON, reinterpret_cast<WPARAM>(next), 0);
  iconOwner.Reset(icon = next);
  if (tip) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = hwnd;
    ti.uId = kImageToolId;
    ti.lpszText = const_cast<wchar_t*>(hint.c_str());
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

std::wstring DateTimeText(const std::optional<DateTime>& stamp) {
  if (!stamp) return L"";
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(stamp->year);
  st.wMonth = static_cast<WORD>(stamp->month);
  st.wDay = static_cast<WORD>(stamp->day);
  st.wHour = static_cast<WORD>(stamp->hour);
  st.wMinute = static_cast<WORD>(stamp->minute);
  st.wSecond = static_cast<WORD>(stamp->second);
  wchar_t date[80] = {}, time[80] = {};
  if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 80)) return L"";
  if (!GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 80)) return date;
  return std::wstring(date) + L" " + time;
}

std::wstring StampText(const std::wstring& path, DateType type) { return DateTimeText(ReadFileTime(path, type)); }

std::wstring DecimalSeparator() {
  wchar_t sep[8] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8) > 0 ? std::wstring(sep) : std::wstring(L".");
}

}  // namespace

HWND CreateInfoPanel(HWND parent, int id, const RECT& bounds, HFONT font, const Dpi& dpi) {
  auto owner = std::make_unique<InfoPanelForm>();
  InfoPanelForm* form = owner.get();
  form->dpi = dpi;
  form->font = font;
  HWND panel = CreateStrip(std::move(owner), kInfoPanelClassName, parent, id, bounds);
  if (!panel) return nullptr;

  const RECT none = Bounds(0, 0, 0, 0);
  // Static texts without SS_NOTIFY let the pointer through to the panel, so its
  // tooltip and right-clicks work over them too.
  for (int f = 0; f < kFieldCount; ++f) {
    MakeChild(panel, L"STATIC", Text(kCaptions[static_cast<size_t>(f)]), SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE,
              kInfoCreatedId + f + kCaptionOffset, none, font);
    const DWORD ellipsis = f == Folder ? SS_PATHELLIPSIS : SS_ENDELLIPSIS;
    MakeChild(panel, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | ellipsis, kInfoCreatedId + f, none, font);
  }
  MakeChild(panel, L"STATIC", Text(TextId::Label_8_info), SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, kInfoMediaCaptionId,
            none, font);
  MakeChild(panel, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS, kInfoMediaId, none, font);
  MakeChild(panel, L"STATIC", L"", SS_ICON | SS_CENTERIMAGE, kInfoImageId, none, font);
  HWND close = MakeChild(panel, L"BUTTON", Text(TextId::CloseButton), BS_PUSHBUTTON | BS_CENTER | BS_VCENTER,
                         kInfoCloseId, none, font);

  form->tip = CreateTooltip(panel);
  if (form->tip) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = panel;
    ti.uId = kImageToolId;
    ti.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(form->tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SetTip(form->tip, panel, close, Text(TextId::SpeedButton7Hint));
  }
  form->Layout();
  return panel;
}

void RetextInfoPanel(HWND panel) {
  InfoPanelForm* form = FormOf(panel);
  if (!form) return;
  for (int f = 0; f < kFieldCount; ++f)
    SetWindowTextW(form->Caption(static_cast<Field>(f)), Text(kCaptions[static_cast<size_t>(f)]).c_str());
  SetWindowTextW(form->Child(kInfoMediaCaptionId), Text(TextId::Label_8_info).c_str());
  SetTip(form->tip, panel, form->Child(kInfoCloseId), Text(TextId::SpeedButton7Hint));
  form->Layout();
}

void LayoutInfoPanel(HWND panel) {
  if (InfoPanelForm* form = FormOf(panel)) form->Layout();
}

void ClearFileInfo(HWND panel) {
  InfoPanelForm* form = FormOf(panel);
  if (!form) return;
  for (int f = 0; f < kFieldCount; ++f) SetWindowTextW(form->Value(static_cast<Field>(f)), L"");
  SetWindowTextW(form->Media(), L"");
  form->SetIcon(nullptr, L"");
}

void FillFileInfo(HWND panel, const std::wstring& fullPath, const std::wstring& fileName, const MediaFields* media) {
  InfoPanelForm* form = FormOf(panel);
  if (!form) return;
  ClearFileInfo(panel);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (fullPath.empty() || !FileAttributeData(fullPath, data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetWindowTextW(form->Value(Name), kFileMissingText);
    return;
  }
  std::wstring folder, name;
  SplitPath(fullPath, folder, name);
  SetWindowTextW(form->Value(Name), fileName.c_str());
  SetWindowTextW(form->Value(Folder), folder.c_str());
  SetWindowTextW(form->Value(Created), StampText(fullPath, DateCreated).c_str());
  SetWindowTextW(form->Value(Modified), StampText(fullPath, DateModified).c_str());
  SetWindowTextW(form->Value(Accessed), StampText(fullPath, DateAccessed).c_str());

  // The type's icon, looked up by name only: the file itself is not opened.
  SHFILEINFOW sfi{};
  HICON icon = nullptr;
  if (SHGetFileInfoW(fileName.c_str(), FILE_ATTRIBUTE_NORMAL, &sfi, sizeof(sfi),
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_LARGEICON))
    icon = sfi.hIcon;
  form->SetIcon(icon, L" *" + ExtensionOf(fileName) + L" ");

  SetWindowTextW(form->Value(Attributes), AttributeLetters(data.dwFileAttributes).c_str());
  const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  SetWindowTextW(form->Value(Size), FileSizeText(size, DecimalSeparator()).c_str());
  if (media) SetWindowTextW(form->Media(), MediaSummary(*media, DateTimeText(media->Taken)).c_str());
}

FileInfoFields InfoPanelFields(HWND panel) {
  FileInfoFields f;
  InfoPanelForm* form = FormOf(panel);
  if (!form) return f;
  f.name = WindowText(form->Value(Name));
  f.folder = WindowText(form->Value(Folder));
  f.size = WindowText(form->Value(Size));
  f.attributes = WindowText(form->Value(Attributes));
  f.created = WindowText(form->Value(Created));
  f.modified = WindowText(form->Value(Modified));
  f.accessed = WindowText(form->Value(Accessed));
  f.media = WindowText(form->Media());
  return f;
}

bool CopyInfoToClipboard(HWND panel, HWND owner) {
  if (!FormOf(panel)) return false;
  const std::wstring text = InfoClipboardText(InfoPanelFields(panel));
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  GlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!mem) return false;
  void* p = GlobalLock(mem.Get());
  if (!p) return false;
  memcpy(p, text.c_str(), bytes);
  GlobalUnlock(mem.Get());
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_UNICODETEXT, mem.Get()) != nullptr;
  CloseClipboard();
  if (placed) mem.Release();  // the clipboard took it, only on success
  return placed;
}

std::wstring InfoPanelHint(HWND panel, int childId) {
  InfoPanelForm* form = FormOf(panel);
  if (!form) return L"";
  return TipText(form->tip, panel,
                 childId == kInfoImageId ? kImageToolId : reinterpret_cast<UINT_PTR>(form->Child(childId)));
}

HICON InfoPanelIcon(HWND panel) {
  InfoPanelForm* form = FormOf(panel);
  return form ? reinterpret_cast<HICON>(SendMessageW(form->Child(kInfoImageId), STM_GETICON, 0, 0)) : nullptr;
}

}  // namespace rn
