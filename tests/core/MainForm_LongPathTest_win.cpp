// Folders past the old length limit of 260 characters, through the real
// window: files dropped and handed over from folders of 247 to 400
// characters and from a path near the system's limit of 32,767, renamed,
// taken back, and a run cut short by a crash there taken back by the next
// window. Under Wine a plain long path works as well, so these show that
// every step reaches such paths; the layout test shows that every
// file-system call goes through the layer that makes their long form.
#include <windows.h>

#include "base/FileSystem_win.h"
#include "base/Texts.h"
#include "engine/FileRename.h"
#include "engine/Operation.h"
#include "support/WindowHarness_win.h"

using namespace rntest;

namespace {

// A folder below `base` whose path (without its last backslash) is exactly
// `length` characters long, made with components of at most 200 characters.
std::wstring DeepFolder(const TempFolder& base, size_t length) {
  std::wstring folder = base.path.wstring();
  while (folder.size() < length) {
    const size_t left = length - folder.size() - 1;  // after the backslash
    // Never leave a remainder too short for a component of its own.
    const size_t part = left <= 200 ? left : std::min<size_t>(200, left - 10);
    folder += L"\\" + std::wstring(part, static_cast<wchar_t>(L'a' + folder.size() % 26));
    if (!rn::MakeFolder(folder) && GetLastError() != ERROR_ALREADY_EXISTS) return L"";
  }
  return folder + L"\\";
}

bool MakeFile(const std::wstring& path, const std::string& content) {
  const rn::FileHandle h = rn::OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
  DWORD written = 0;
  return h && WriteFile(h.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::string ContentAt(const std::wstring& path) {
  std::string bytes;
  return rn::ReadWholeFile(path, bytes) ? bytes : "<none>";
}

std::string Utf8Of(const std::wstring& w) {
  std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr,
                                                          0, nullptr, nullptr)),
                  '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), static_cast<int>(out.size()),
                      nullptr, nullptr);
  return out;
}

rn::RenameTask AddAtBegin(const wchar_t* text) {
  rn::RenameTask t;
  t.Operation = rn::kOpAddFromBegin;
  t.RenameTo = text;
  return t;
}

}  // namespace

TEST(LongPaths, FilesInFoldersPastTheOldLimitAreListedRenamedAndTakenBackThroughTheDropAndTheHandOff) {
  for (size_t length : {247u, 248u, 259u, 260u, 261u, 400u}) {
    for (bool handOff : {false, true}) {
      const std::string what = std::to_string(length) + (handOff ? ", handed over" : ", dropped");
      TempFolder base;
      const std::wstring folder = DeepFolder(base, length);
      ASSERT_FALSE(folder.empty()) << what;
      ASSERT_EQ(folder.size(), length + 1) << what;
      const std::wstring a = folder + L"a.txt", b = folder + L"b.txt";
      ASSERT_TRUE(MakeFile(a, "A") && MakeFile(b, "B")) << what;
      MainWindow w(base);
      if (handOff)
        EXPECT_EQ(HandOff(w.Hwnd(), Utf8Of(a + L"\r\n" + b + L"\r\n") + '\0', 1), 2008) << what;
      else
        Drop(w.Hwnd(), {a, b});
      ASSERT_EQ(w.Paths(), std::vector<std::wstring>({a, b})) << what;
      EXPECT_FALSE(w.form->fileList.Cell(rn::ColFileDate, 0).empty()) << what << ": its date was read";

      w.form->panel->WriteRenameTask(AddAtBegin(L"x_"));
      w.form->FinishPreview();
      EXPECT_EQ(w.form->PreviewCell(0).text, L"x_a.txt") << what;
      EXPECT_EQ(w.form->PreviewCell(0).look, rn::PreviewLook::Change) << what << ": the folder was read";
      w.Click(rn::IdButton2);
      EXPECT_EQ(ContentAt(folder + L"x_a.txt"), "A") << what;
      EXPECT_EQ(ContentAt(folder + L"x_b.txt"), "B") << what;
      EXPECT_EQ(w.Paths(), std::vector<std::wstring>({folder + L"x_a.txt", folder + L"x_b.txt"})) << what;
      w.Click(rn::IdButton3);
      EXPECT_EQ(ContentAt(a), "A") << what << ", undone";
      EXPECT_EQ(ContentAt(b), "B") << what << ", undone";
      EXPECT_EQ(rn::FileAttributes(folder + L"x_a.txt"), INVALID_FILE_ATTRIBUTES) << what;
    }
  }
}

TEST(LongPaths, APathNearTheSystemsLimitIsRenamedAndTakenBack) {
  TempFolder base;
  const std::wstring folder = DeepFolder(base, 32700);
  if (folder.empty()) {
    std::printf("skipped: this file system cannot make a folder of 32,700 characters (%lu); under Wine the Unix "
                "limit of 4,096 bytes a path applies\n",
                GetLastError());
    return;
  }
  const std::wstring a = folder + L"a.txt";
  ASSERT_TRUE(MakeFile(a, "A"));
  MainWindow w(base);
  EXPECT_EQ(HandOff(w.Hwnd(), Utf8Of(a + L"\r\n") + '\0', 1), 2008);
  ASSERT_EQ(w.Paths(), std::vector<std::wstring>({a}));
  w.form->panel->WriteRenameTask(AddAtBegin(L"x_"));
  w.Click(rn::IdButton2);
  EXPECT_EQ(ContentAt(folder + L"x_a.txt"), "A");
  w.Click(rn::IdButton3);
  EXPECT_EQ(ContentAt(a), "A");
}

TEST(LongPaths, ARunCutShortUnderA400CharacterFolderIsTakenBackAtTheNextStart) {
  TempFolder base;
  const std::wstring folder = DeepFolder(base, 400);
  ASSERT_FALSE(folder.empty());
  std::vector<std::wstring> files;
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) {
    files.push_back(folder + name);
    ASSERT_TRUE(MakeFile(files.back(), "content of " + Narrow(name)));
  }
  const std::wstring journal = base.Folder() + L"Rename.journal", crash = journal + L".crash";
  {
    // The third rename is where the crash comes: what the journal holds then
    // is what a crash leaves; from then on nothing reaches the disk.
    ScriptedDialogs dialogs;
    dialogs.Expect(L"Items not renamed:    1\r\rNot found, deleted or in use by another program");
    int calls = 0;
    MainWindow w(base, {}, [&](rn::TMorvaneFrm1& form) {
      form.renameOnDisk = [&](const std::wstring& from, const std::wstring& to, bool replace) -> uint32_t {
        if (++calls == 3) rn::CopyFileTo(journal, crash, false);
        return calls >= 3 ? ERROR_ACCESS_DENIED : rn::RenameEntry(from, to, replace);
      };
    });
    Drop(w.Hwnd(), files);
    w.form->panel->WriteRenameTask(AddAtBegin(L"x_"));
    w.Click(rn::IdButton2);
    w.form.reset();  // gone without a clean close
  }
  ASSERT_TRUE(rn::MoveEntry(crash, journal, MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(rn::FileAttributes(files[0]), INVALID_FILE_ATTRIBUTES) << "renamed before the crash";

  ScriptedDialogs dialogs;
  dialogs.Expect(rn::Text(rn::TextId::MsgJournalOffer, {L"2"}), 0);
  dialogs.Expect(L"2 file(s) got their former names back.");
  MainWindow w(base);
  for (const std::wstring& f : files) EXPECT_EQ(ContentAt(f), "content of " + Narrow(f.substr(f.size() - 5)));
  EXPECT_EQ(rn::FileAttributes(journal), INVALID_FILE_ATTRIBUTES);
}
