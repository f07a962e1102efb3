#include "filelist/FileList.h"

#include <algorithm>

namespace rn {

namespace {
const std::wstring kEmpty;

bool IsBlank(const std::wstring& s) {
  return std::all_of(s.begin(), s.end(), [](wchar_t c) { return c == L' '; });
}
}  // namespace

std::wstring FileRow::FullPath() const { return Folder() + name; }

const std::wstring& FileRow::Folder() const { return folder ? *folder : kEmpty; }

void SplitPath(const std::wstring& path, std::wstring& folder, std::wstring& name) {
  size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) {
    // "C:name" keeps its drive in the folder part.
    cut = (path.size() >= 2 && path[1] == L':') ? 1 : std::wstring::npos;
  }
  if (cut == std::wstring::npos) {
    folder.clear();
    name = path;
  } else {
    folder = path.substr(0, cut + 1);
    name = path.substr(cut + 1);
  }
}

std::wstring ExtensionOf(const std::wstring& name) {
  size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

std::wstring ShortenPath(const std::wstring& path, int budget) {
  const long long len = static_cast<long long>(path.size());
  if (budget >= len) return path;
  const long long q = budget / 4;
  std::wstring head, tail;
  if (q - 3 > 0) head = path.substr(0, static_cast<size_t>(std::min(q - 3, len)));
  const long long tailLen = std::min(3 * q - 8, len);
  if (tailLen > 0) tail = path.substr(static_cast<size_t>(len - tailLen));
  return head + L" ... " + tail;
}

int PathBudgetForWidth(int columnWidth) {
  // Truncation of width * 0.16, done in integers so that it is exact.
  return columnWidth * 16 / 100;
}

std::wstring ListCaption(int entryCount) {
  std::wstring title = L"  Rename  *.*";
  if (entryCount <= 0) return title;
  return title + L"    [" + std::to_wstring(entryCount) + L" items]";
}

FileList::FileList() { Clear(); }

void FileList::Clear() {
  rows_.assign(1, FileRow{});
  columnCount_ = kBaseColumnCount;
  lastFolder_.reset();
}

bool FileList::Empty() const {
  return rows_.size() == 1 && IsBlank(ShortPathOf(0));
}

void FileList::SetColumnCount(int count) { columnCount_ = std::max(count, kBaseColumnCount); }

std::wstring FileList::ShortPathOf(int row) const { return ShortenPath(Row(row).FullPath(), pathBudget_); }

std::wstring FileList::Cell(int col, int row) const {
  const FileRow& r = Row(row);
  switch (col) {
    case ColCheckMark: return r.checked ? L"v" : L"";
    case ColShortPath: return ShortPathOf(row);
    case ColFolder: return r.Folder();
    case ColExt: return r.isDir ? kDirMark : r.ext;
    case ColFileDate: return r.date;
    case ColFileName: return r.name;
    case ColFullPath: return r.FullPath();
    default: break;
  }
  if (col < ColPrevName) return L"";
  size_t index = static_cast<size_t>(col - ColPrevName);
  return index < r.names.size() ? r.names[index] : L"";
}

std::shared_ptr<const std::wstring> FileList::InternFolder(const std::wstring& folder) {
  // Additions come folder by folder, so remembering the last one shares most texts.
  if (!lastFolder_ || *lastFolder_ != folder) lastFolder_ = std::make_shared<const std::wstring>(folder);
  return lastFolder_;
}

void FileList::SetCell(int col, int row, const std::wstring& text) {
  FileRow& r = Row(row);
  switch (col) {
    case ColCheckMark: r.checked = (text == L"v"); return;
    case ColShortPath: return;  // derived from FullPath
    case ColFolder: r.folder = InternFolder(text); return;
    case ColExt:
      r.isDir = (text == kDirMark);
      r.ext = r.isDir ? L"" : text;
      return;
    case ColFileDate: r.date = text; return;
    case ColFileName: r.name = text; return;
    case ColFullPath: {
      std::wstring folder, name;
      SplitPath(text, folder, name);
      r.folder = InternFolder(folder);
      r.name = name;
      return;
    }
    default: break;
  }
  if (col < ColPrevName) return;
  size_t index = static_cast<size_t>(col - ColPrevName);
  if (index >= r.names.size()) {
    if (text.empty()) return;
    r.names.resize(index + 1);
  }
  r.names[index] = text;
  while (!r.names.empty() && r.names.back().empty()) r.names.pop_back();
  if (col >= columnCount_) columnCount_ = col + 1;
}

int FileList::AddRow(const std::wstring& path, bool isFolder, const std::wstring& fileDate) {
  if (!Empty()) rows_.emplace_back();
  const int row = RowCount() - 1;
  FileRow& r = rows_.back();
  r = FileRow{};
  std::wstring folder, name;
  SplitPath(path, folder, name);
  r.folder = InternFolder(folder);
  r.name = std::move(name);
  r.isDir = isFolder;
  if (!isFolder) r.ext = ExtensionOf(r.name);
  r.date = fileDate;
  r.checked = true;
  return row;
}

}  // namespace rn
