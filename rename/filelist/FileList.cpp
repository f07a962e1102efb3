#include "filelist/FileList.h"

#include <algorithm>
#include <numeric>

#include "base/Path.h"
#include "base/Text.h"

namespace rn {

namespace {
const std::wstring kEmpty;

bool IsBlank(const std::wstring& s) {
  return std::all_of(s.begin(), s.end(), [](wchar_t c) { return c == L' '; });
}

// FNV-1a over the case-folded characters of folder and name in turn.
uint64_t FoldedHash(const std::wstring& a, const std::wstring& b = kEmpty) {
  uint64_t h = 1469598103934665603ull;
  for (const std::wstring* s : {&a, &b})
    for (wchar_t c : *s) {
      // ASCII folded in place: most paths are, and this runs for every row.
      const wchar_t folded = c < 0x80 ? (c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 0x20) : c) : FoldCase(c);
      h ^= static_cast<uint64_t>(static_cast<uint32_t>(folded));
      h *= 1099511628211ull;
    }
  return h;
}

// A hash's first slot in a table of `size` (a power of two): the high bits
// of a mix, which every character reaches.
size_t HomeSlot(uint64_t hash, size_t size) {
  return static_cast<size_t>(((hash ^ (hash >> 31)) * 0x9E3779B97F4A7C15ull) >> 32) & (size - 1);
}
}  // namespace

std::wstring FileRow::FullPath() const { return Folder() + name; }

const std::wstring& FileRow::Folder() const { return folder ? *folder : kEmpty; }

std::wstring ShortenPath(const std::wstring& path, int budget) {
  const long long len = static_cast<long long>(CodePointCount(path));
  if (budget >= len) return path;
  const long long q = budget / 4;
  std::wstring head, tail;
  if (q - 3 > 0) head = FirstCodePoints(path, static_cast<size_t>(q - 3));
  if (3 * q - 8 > 0) tail = LastCodePoints(path, static_cast<size_t>(3 * q - 8));
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
  ++revision_;
  rows_.assign(1, FileRow{});
  columnCount_ = kBaseColumnCount;
  lastFolder_.reset();
  index_.clear();
  indexed_ = 0;
  indexStale_ = false;
}

void FileList::IndexRow(int row) const {
  // Twice the rows at least, so that a probe meets a free slot soon.
  if (2 * (indexed_ + 1) > index_.size()) {
    std::vector<IndexSlot> old(std::max<size_t>(64, 2 * index_.size()));
    old.swap(index_);
    indexed_ = 0;
    for (const IndexSlot& slot : old)
      if (slot.row >= 0) {
        size_t at = HomeSlot(slot.hash, index_.size());
        while (index_[at].row >= 0) at = (at + 1) & (index_.size() - 1);
        index_[at] = slot;
        ++indexed_;
      }
  }
  const FileRow& r = rows_[static_cast<size_t>(row)];
  const uint64_t hash = FoldedHash(r.Folder(), r.name);
  size_t at = HomeSlot(hash, index_.size());
  while (index_[at].row >= 0) at = (at + 1) & (index_.size() - 1);
  index_[at] = {hash, row};
  ++indexed_;
}

void FileList::RebuildIndex() const {
  index_.clear();
  indexed_ = 0;
  if (!Empty())
    for (int row = 0; row < RowCount(); ++row) IndexRow(row);
  indexStale_ = false;
}

template <class Each>
void FileList::ForRowsWithHash(uint64_t hash, Each&& each) const {
  if (indexStale_) RebuildIndex();
  if (index_.empty()) return;
  for (size_t at = HomeSlot(hash, index_.size()); index_[at].row >= 0; at = (at + 1) & (index_.size() - 1))
    if (index_[at].hash == hash && index_[at].row < RowCount() && !each(index_[at].row)) return;
}

bool FileList::ContainsPath(const std::wstring& path) const {
  bool found = false;
  ForRowsWithHash(FoldedHash(path), [&](int row) {
    found = EqualsNoCase(rows_[static_cast<size_t>(row)].FullPath(), path);
    return !found;
  });
  return found;
}

std::vector<int> FileList::RowsWithPath(const std::wstring& path) const {
  std::vector<int> rows;
  ForRowsWithHash(FoldedHash(path), [&](int row) {
    if (EqualsNoCase(rows_[static_cast<size_t>(row)].FullPath(), path)) rows.push_back(row);
    return true;
  });
  std::sort(rows.begin(), rows.end());
  return rows;
}

void FileList::RemoveRows(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, RowCount() - 1);
  if (first > last) return;
  rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
  if (rows_.empty()) rows_.emplace_back();
  Touch();
}

void FileList::RemoveRowsWhere(const std::function<bool(int row)>& doomed) {
  if (Empty()) return;
  std::vector<bool> drop(rows_.size());
  for (int row = 0; row < RowCount(); ++row) drop[static_cast<size_t>(row)] = doomed(row);
  size_t kept = 0;
  for (size_t i = 0; i < rows_.size(); ++i)
    if (!drop[i]) {
      if (kept != i) rows_[kept] = std::move(rows_[i]);
      ++kept;
    }
  rows_.resize(kept);
  if (rows_.empty()) rows_.emplace_back();
  Touch();
}

bool FileList::MoveBlock(int& first, int& last, int delta) {
  if (first > last || first < 0 || last >= RowCount() || Empty()) return false;
  if (delta > 0) {
    if (last + 1 >= RowCount()) return false;
    std::rotate(rows_.begin() + first, rows_.begin() + last + 1, rows_.begin() + last + 2);
  } else if (delta < 0) {
    if (first == 0) return false;
    std::rotate(rows_.begin() + first - 1, rows_.begin() + first, rows_.begin() + last + 1);
  } else {
    return false;
  }
  first += delta;
  last += delta;
  Touch();
  return true;
}

void FileList::SortBy(int keyColumn, const TextCompare& compare) {
  if (Empty() || RowCount() < 2) return;
  std::vector<std::wstring> keys(rows_.size());
  for (size_t row = 0; row < keys.size(); ++row) keys[row] = Cell(keyColumn, static_cast<int>(row));
  SortByKeys(std::move(keys), compare);
}

void FileList::SortByKeys(std::vector<std::wstring> keys, const TextCompare& compare) {
  if (Empty() || RowCount() < 2 || keys.size() != rows_.size()) return;
  const int n = RowCount();
  std::vector<std::wstring> whole(static_cast<size_t>(n));
  for (int row = 0; row < n; ++row) {
    std::wstring& text = whole[static_cast<size_t>(row)];
    for (int col = 0; col < columnCount_; ++col) text += Cell(col, row);
  }
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    int c = compare(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
    if (c == 0) c = compare(whole[static_cast<size_t>(a)], whole[static_cast<size_t>(b)]);
    return c < 0;
  });
  std::vector<FileRow> sorted;
  sorted.reserve(rows_.size());
  for (int row : order) sorted.push_back(std::move(rows_[static_cast<size_t>(row)]));
  rows_ = std::move(sorted);
  Touch();
}

bool FileList::Empty() const { return rows_.size() == 1 && IsBlank(ShortPathOf(0)); }

int FileList::CheckedBefore(int row) const {
  if (checkedRevision_ != revision_) {
    checkedBefore_.assign(rows_.size() + 1, 0);
    for (size_t i = 0; i < rows_.size(); ++i) checkedBefore_[i + 1] = checkedBefore_[i] + (rows_[i].checked ? 1 : 0);
    checkedRevision_ = revision_;
  }
  return checkedBefore_.at(static_cast<size_t>(std::clamp(row, 0, RowCount())));
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
  FileRow& r = Row(row);  // marks the path index stale
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
  ++revision_;
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
  if (!indexStale_) IndexRow(row);
  return row;
}

}  // namespace rn
