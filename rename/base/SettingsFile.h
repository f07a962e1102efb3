// The program's settings file (Rename.ini): a classic INI file that is read
// and written through at once.
//
// Reading: section and key names compare without regard to case and are
// trimmed of blanks; a value is trimmed, loses one pair of enclosing double
// quotes, and is cut to 2047 characters. When a key occurs twice in a
// section, the first one counts. A missing or unreadable file reads as
// empty, so every read gives its default.
//
// Writing: every change rewrites the whole file at once through
// ReplaceFileContents, so a failed write leaves the old file untouched.
// A changed key keeps its line, a new key goes after the last key of its
// section, a new section at the end of the file; comments, blank lines and
// lines that are not understood stay as they are. Line breaks inside a
// written value become blanks. The file is Windows-1252 without BOM while
// every character fits that code page (what older versions read), UTF-8 with
// BOM otherwise; files with a UTF-8 or UTF-16LE BOM are read as such.
//
// Several changes can reach the disk together through a Batch: until it
// ends, writes of that handle stay in memory, and its end rewrites the file
// once, so a failure leaves none of them on disk.
//
// Several handles may be open on one file: each keeps the parsed file and
// reloads it whenever the file on disk changed or another handle of this
// process wrote. A write that fails is not reported; the handle keeps the
// new value in memory so the program goes on seeing it. An existing file
// that could not be read is never overwritten.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/FileIo.h"

namespace rn {

inline constexpr size_t kMaxSettingsValue = 2047;

class SettingsFile {
 public:
  explicit SettingsFile(std::wstring path);
  const std::wstring& Path() const { return path_; }

  std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def) const;
  // Missing or not an integer (ParseInteger) gives def.
  int ReadInteger(const std::wstring& section, const std::wstring& key, int def) const;
  // An integer other than 0 is true; anything that is no integer gives def.
  bool ReadBool(const std::wstring& section, const std::wstring& key, bool def) const;
  // The value as it stands in the file, trimmed but with its quotes and not
  // cut; def when the key is missing. Lets the reader of a remembered list
  // see whether the entry was stored quoted (see ReadListEntry).
  std::wstring ReadRawString(const std::wstring& section, const std::wstring& key, const std::wstring& def) const;

  void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  void WriteInteger(const std::wstring& section, const std::wstring& key, int value);
  void WriteBool(const std::wstring& section, const std::wstring& key, bool value);  // "1" / "0"
  // Removes every section of that name with its keys; comment and blank
  // lines at its end (which usually belong to the next section) stay.
  void EraseSection(const std::wstring& section);

  // Key names in file order, each once.
  std::vector<std::wstring> ReadSection(const std::wstring& section) const;
  // Keys with their values as ReadString gives them, in file order.
  std::vector<std::pair<std::wstring, std::wstring>> ReadSectionValues(const std::wstring& section) const;
  // True when the file has a header of that section, even an empty one.
  bool SectionExists(const std::wstring& section) const;

  // While a batch lives, the handle neither rewrites nor reloads the file;
  // its end (Commit or the destructor) writes every change in one rewrite.
  // Batches nest; the outermost one writes.
  class Batch {
   public:
    explicit Batch(SettingsFile& settings);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    // False when the rewrite failed: the file stays as it was before the
    // batch, and the handle keeps the changes in memory as after any failed
    // write. An inner batch always gives true.
    bool Commit();

   private:
    SettingsFile* settings_;
    int unwinding_;  // errors in flight when it began: an error that ends it writes nothing
  };

 private:
  enum class LineKind { Other, Section, Key };
  struct Line {
    LineKind kind = LineKind::Other;
    std::wstring text;   // the line as it stands in the file
    std::wstring name;   // section or key name, trimmed
    std::wstring value;  // Key: the value, trimmed, quotes kept
  };
  static std::vector<Line> Parse(const std::string& bytes);
  static std::string Serialize(const std::vector<Line>& lines);
  static Line ParseLine(const std::wstring& text);

  friend void MoveSection(SettingsFile& settings, const std::wstring& from, const std::wstring& to);

  void Refresh() const;
  void Save();
  // Index of the first line of key in section, or -1.
  long FindKey(const std::wstring& section, const std::wstring& key) const;
  // Both return whether the parsed file changed.
  bool SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  bool RemoveSection(const std::wstring& section);
  std::vector<std::pair<std::wstring, std::wstring>> RawPairs(const std::wstring& section) const;

  std::wstring path_;
  mutable std::vector<Line> lines_;
  mutable FileStamp stamp_;
  mutable uint64_t generation_ = 0;
  mutable bool loaded_ = false;
  mutable bool unreadable_ = false;  // the file exists but could not be read
  mutable bool unsaved_ = false;     // the last write did not reach the disk
  int batchDepth_ = 0;
  bool batchChanged_ = false;  // a write is waiting for the batch's end
};

// If section from has at least one key: erases it and writes its keys into
// section to in their order, overwriting keys of the same name there. The
// values move exactly as stored (quotes included), in one rewrite of the
// file. Nothing happens when from is empty, absent, or the same as to.
void MoveSection(SettingsFile& settings, const std::wstring& from, const std::wstring& to);

// Remembered lists keep their entries enclosed in double quotes with inner
// double quotes doubled, so blanks at either end survive.
std::wstring QuoteListEntry(const std::wstring& entry);
// True when raw (as ReadRawString gives it) is enclosed in double quotes,
// i.e. when ReadString removes a pair of quotes from it.
bool IsQuotedValue(const std::wstring& raw);
// Undoes the doubling of inner quotes when the stored value was quoted;
// readValue is the value as ReadString gives it. Unquoted values (written by
// hand or by older versions) are returned as they are.
std::wstring UnquoteListEntry(const std::wstring& readValue, bool wasQuoted);
// ReadString + UnquoteListEntry for one entry of a remembered list; empty
// when the key is missing.
std::wstring ReadListEntry(const SettingsFile& settings, const std::wstring& section, const std::wstring& key);

}  // namespace rn
