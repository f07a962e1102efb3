// The file list: the rows the next rename run works on, in display order.
// Portable model behind the grid; every field is addressable by column number.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rn {

enum Column : int {
  ColCheckMark = 0,
  ColShortPath = 1,
  ColFolder = 2,
  ColExt = 3,
  ColFileDate = 4,
  ColFileName = 5,
  ColFullPath = 6,
  ColPrevName = 7,
  ColHistory = 8,  // 7 + n: the name before rename run n
};

inline constexpr int kBaseColumnCount = 9;
inline constexpr const wchar_t* kDirMark = L"[dir]";

// One entry. FullPath is always Folder + FileName and ShortPath is derived from
// FullPath and the list's budget, so neither is stored. Rows of one folder
// share its text.
struct FileRow {
  std::shared_ptr<const std::wstring> folder;
  std::wstring name;
  std::wstring ext;
  std::wstring date;
  std::vector<std::wstring> names;  // [0] = PrevName, [n] = History of run n
  bool checked = false;
  bool isDir = false;

  std::wstring FullPath() const;
  const std::wstring& Folder() const;
};

class FileList {
 public:
  FileList();

  // The grid always shows at least one row; an empty list is one blank row.
  bool Empty() const;
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int EntryCount() const { return Empty() ? 0 : RowCount(); }
  int ColumnCount() const { return columnCount_; }
  void SetColumnCount(int count);

  std::wstring Cell(int col, int row) const;
  void SetCell(int col, int row, const std::wstring& text);

  // Writable access may change paths, so the path index is rebuilt afterwards.
  FileRow& Row(int row) {
    Touch();
    return rows_.at(static_cast<size_t>(row));
  }
  const FileRow& Row(int row) const { return rows_.at(static_cast<size_t>(row)); }
  std::vector<FileRow>& Rows() {
    Touch();
    return rows_;
  }

  // Grows with every change that may have touched a row (writable access
  // included), so that what is derived from the rows knows when to start over.
  uint64_t Revision() const { return revision_; }
  // Checked rows above the row: the place of a row among the checked ones.
  // The counts are made once per revision, so asking is O(1) after that.
  int CheckedBefore(int row) const;
  const std::vector<FileRow>& Rows() const { return rows_; }

  // True when a row's FullPath equals the path without regard to case; O(1)
  // on average, so that adding N paths costs O(N).
  bool ContainsPath(const std::wstring& path) const;
  // The rows whose FullPath equals the path without regard to case, in order.
  std::vector<int> RowsWithPath(const std::wstring& path) const;

  // Appends a row built from the path (fills the blank row of an empty list).
  // No checks: filtering and duplicates belong to the caller.
  int AddRow(const std::wstring& path, bool isFolder, const std::wstring& fileDate);

  // Back to the start-up state: one blank row, nine columns.
  void Clear();

  // Deletes rows first..last (clipped); removing every row leaves the blank row.
  void RemoveRows(int first, int last);
  // Deletes every row the predicate (given the row number) picks, in one pass.
  void RemoveRowsWhere(const std::function<bool(int row)>& doomed);
  // Moves the block first..last one row down (+1) or up (-1) when the row it
  // moves into exists; returns whether it moved (first/last then follow).
  bool MoveBlock(int& first, int& last, int delta);
  // Orders the rows by the key column's text with `compare` (<0, 0, >0); rows
  // with equal keys by all their cells as one text; equal rows keep their order.
  using TextCompare = std::function<int(const std::wstring&, const std::wstring&)>;
  void SortBy(int keyColumn, const TextCompare& compare);
  // The same, by a key given for every row (as many keys as rows).
  void SortByKeys(std::vector<std::wstring> keys, const TextCompare& compare);

  int PathBudget() const { return pathBudget_; }
  void SetPathBudget(int budget) { pathBudget_ = budget; }
  std::wstring ShortPathOf(int row) const;

 private:
  std::shared_ptr<const std::wstring> InternFolder(const std::wstring& folder);
  void IndexRow(int row) const;
  void RebuildIndex() const;
  void Touch() {
    indexStale_ = true;
    ++revision_;
  }

  // The rows' row numbers by the hash of their folded FullPath, in one open
  // table (linear probing, at most half full, -1 marks a free slot); rebuilt
  // lazily after any change other than an addition.
  struct IndexSlot {
    uint64_t hash = 0;
    int row = -1;
  };
  // Calls `each` for the rows whose path has the hash, while it returns true.
  template <class Each>
  void ForRowsWithHash(uint64_t hash, Each&& each) const;
  mutable std::vector<IndexSlot> index_;
  mutable size_t indexed_ = 0;
  mutable bool indexStale_ = false;
  uint64_t revision_ = 0;
  mutable std::vector<int> checkedBefore_;
  mutable uint64_t checkedRevision_ = ~uint64_t{0};

  std::vector<FileRow> rows_;
  int columnCount_ = kBaseColumnCount;
  int pathBudget_ = 1 << 30;
  std::shared_ptr<const std::wstring> lastFolder_;
};

// Display form of a path within a budget of characters (code points).
std::wstring ShortenPath(const std::wstring& path, int budget);
// Budget for a path column of the given pixel width.
int PathBudgetForWidth(int columnWidth);
// "  Rename  *.*    [N items]", or the bare title for an empty list.
std::wstring ListCaption(int entryCount);

}  // namespace rn
