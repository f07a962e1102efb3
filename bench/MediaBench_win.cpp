// The files' own data: the date taken of 10,000 JPEG photos and the tags of
// 10,000 MP3 songs, read as the window reads them, beside a bare loop that
// opens each file and reads its first 64 KiB (medians of rounds in turns);
// then a keystroke in a text with a field on 100,000 rows.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchWindow_win.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/Operation.h"
#include "filelist/MediaFields.h"
#include "ui/Grid_win.h"

namespace bench {

namespace {

void Put16(std::string& b, uint16_t v) { b += static_cast<char>(v & 0xFF), b += static_cast<char>(v >> 8); }
void Put32(std::string& b, uint32_t v) { Put16(b, static_cast<uint16_t>(v)), Put16(b, static_cast<uint16_t>(v >> 16)); }
void Put32Be(std::string& b, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b += static_cast<char>((v >> shift) & 0xFF);
}

// A JPEG as a camera leaves it, as far as a reader of its data goes: the EXIF
// block with the date taken, then 200 KB of picture the reader never needs.
std::string Photo(int i) {
  char when[20];
  std::snprintf(when, sizeof(when), "2021:%02d:%02d %02d:%02d:%02d", 1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 59);
  std::string tiff = "II*";
  tiff += '\0';
  Put32(tiff, 8);
  Put16(tiff, 1);  // IFD0: the pointer to the EXIF IFD
  Put16(tiff, 0x8769), Put16(tiff, 4), Put32(tiff, 1), Put32(tiff, 26);
  Put32(tiff, 0);
  Put16(tiff, 1);  // EXIF IFD at 26: DateTimeOriginal, 20 bytes at 44
  Put16(tiff, 0x9003), Put16(tiff, 2), Put32(tiff, 20), Put32(tiff, 44);
  Put32(tiff, 0);
  tiff.append(when, 19), tiff += '\0';
  std::string app1 = std::string("Exif\0\0", 6) + tiff;
  std::string jpeg = "\xFF\xD8\xFF\xE1";
  jpeg += static_cast<char>((app1.size() + 2) >> 8), jpeg += static_cast<char>((app1.size() + 2) & 0xFF);
  jpeg += app1;
  jpeg += "\xFF\xDA";
  jpeg += std::string("\x00\x08\x01\x01\x00\x00\x3F\x00", 8);
  jpeg += std::string(200000, '\x55');
  jpeg += "\xFF\xD9";
  return jpeg;
}

// An MP3 with an ID3v2.3 tag (title, artist, album, track) and 200 KB of sound.
std::string Song(int i) {
  auto frame = [](const char* id, const std::string& text) {
    std::string f = id;
    Put32Be(f, static_cast<uint32_t>(text.size() + 1));
    f += std::string(2, '\0');
    f += '\0';  // ISO-8859-1
    return f + text;
  };
  const std::string frames = frame("TIT2", "Song " + std::to_string(i)) + frame("TPE1", "Artist " + std::to_string(i % 50)) +
                             frame("TALB", "Album " + std::to_string(i % 200)) + frame("TRCK", std::to_string(1 + i % 12));
  std::string mp3 = "ID3\x03";
  mp3 += std::string(2, '\0');
  const uint32_t n = static_cast<uint32_t>(frames.size());
  for (int shift = 21; shift >= 0; shift -= 7) mp3 += static_cast<char>((n >> shift) & 0x7F);
  mp3 += frames;
  const std::string header("\xFF\xFB\x90\x64", 4);  // MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 417 bytes a frame
  while (mp3.size() < 200000) mp3 += header + std::string(413, '\0');
  return mp3;
}

std::vector<std::wstring> WriteFiles(const std::wstring& root, int n, const wchar_t* ext,
                                     std::string (*contents)(int)) {
  std::vector<std::wstring> paths;
  CreateDirectoryW(root.c_str(), nullptr);
  for (int i = 0; i < n; ++i) {
    const std::wstring folder = root + L"\\f" + std::to_wstring(i / 1000);
    if (i % 1000 == 0) CreateDirectoryW(folder.c_str(), nullptr);
    paths.push_back(folder + L"\\file" + std::to_wstring(100000 + i) + ext);
    const std::string bytes = contents(i);
    HANDLE h = CreateFileW(paths.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (h != INVALID_HANDLE_VALUE) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  return paths;
}

// The floor: open, read 64 KiB, close.
int BareReads(const std::vector<std::wstring>& paths) {
  static char buffer[65536];
  int read = 0;
  for (const auto& p : paths) {
    HANDLE h = CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    DWORD got = 0;
    if (ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0) ++read;
    CloseHandle(h);
  }
  return read;
}

void Compare(const char* what, const std::vector<std::wstring>& paths, bool (*has)(const rn::MediaFields&)) {
  std::vector<double> bare, ours, ratio;
  int found = 0;
  for (int round = 0; round < 3; ++round) {
    bare.push_back(Seconds([&] { BareReads(paths); }));
    ours.push_back(Seconds([&] {
      found = 0;
      for (const auto& p : paths) found += has(rn::ReadMediaFields(p)) ? 1 : 0;
    }));
    ratio.push_back(ours.back() / bare.back());
  }
  const int n = static_cast<int>(paths.size());
  Report("open and read 64 KiB (floor)", n, Median(bare));
  Report(what, n, Median(ours));
  std::printf("%-44s %8.2f  (aim: under 2; %d of %d found)\n", "read / floor", Median(ratio), found, n);
}

}  // namespace

void MediaBenchmarks() {
  const int n = 10000;
  const std::wstring root = TempRoot() + L"-media";
  std::printf("\n== The files' own data, %d files of each kind\n", n);
  const auto photos = WriteFiles(root + L"-jpg", n, L".jpg", Photo);
  Compare("date taken of JPEG photos", photos, [](const rn::MediaFields& m) { return m.Taken.has_value(); });
  RemoveTree(root + L"-jpg", photos);
  const auto songs = WriteFiles(root + L"-mp3", n, L".mp3", Song);
  Compare("tags of MP3 songs", songs, [](const rn::MediaFields& m) { return !m.Artist.empty() && m.Track; });
  RemoveTree(root + L"-mp3", songs);

  std::printf("\n== A keystroke in a text with a field on 100,000 rows\n");
  WindowOnFiles w(L"fields", 100000);
  rn::TMorvaneFrm1& main = *w.main;
  rn::RenameTask task;
  task.Operation = rn::kOpAddFromBegin;
  task.RenameTo = L"<Taken|Modified:yyyy-mm-dd> ";
  main.panel->WriteRenameTask(task);
  main.FinishPreview();
  HWND edit = GetWindow(main.Control(rn::IdComboBox2), GW_CHILD);
  HWND grid = main.Control(rn::IdStringGrid1);
  Print("keystroke in a text with a field, top", Type(edit, grid, 40));
  rn::GridSetTopRow(grid, 50000);
  UpdateWindow(grid);
  Print("keystroke in a text with a field, middle", Type(edit, grid, 40));
}

}  // namespace bench
