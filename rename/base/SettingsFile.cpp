#include "base/SettingsFile.h"

#include <exception>

#include <atomic>

#include "base/Text.h"

namespace rn {

namespace {

// Bumped by every successful write of any handle in this process, so that
// another handle reloads even when two writes fall into one tick of the
// file system's clock.
std::atomic<uint64_t> g_writeGeneration{0};

bool IsComment(const std::wstring& trimmed) { return !trimmed.empty() && trimmed[0] == L';'; }

std::wstring WideFromUtf16Le(const std::string& bytes, size_t start) {
  std::wstring units;
  for (size_t i = start; i + 1 < bytes.size(); i += 2)
    units +=
        static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
  if constexpr (sizeof(wchar_t) == 2) {
    return units;
  } else {
    // Native builds hold code points: join the surrogate pairs.
    return WideFromUtf8(Utf8FromWide(units));
  }
}

// A line break inside a value would split it into two lines of the file.
std::wstring OneLine(const std::wstring& s) {
  std::wstring out = s;
  for (wchar_t& c : out)
    if (c == L'\r' || c == L'\n') c = L' ';
  return out;
}

std::wstring CookValue(const std::wstring& raw) {
  std::wstring v = IsQuotedValue(raw) ? raw.substr(1, raw.size() - 2) : raw;
  if (v.size() > kMaxSettingsValue) v.resize(kMaxSettingsValue);
  return v;
}

}  // namespace

SettingsFile::SettingsFile(std::wstring path) : path_(std::move(path)) {}

SettingsFile::Line SettingsFile::ParseLine(const std::wstring& text) {
  Line line;
  line.text = text;
  const std::wstring t = Trim(text);
  if (t.empty() || IsComment(t)) return line;
  if (t[0] == L'[') {
    const size_t close = t.find(L']');
    line.kind = LineKind::Section;
    line.name = Trim(t.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
    return line;
  }
  const size_t eq = t.find(L'=');
  if (eq == std::wstring::npos) return line;
  std::wstring key = Trim(t.substr(0, eq));
  if (key.empty()) return line;
  line.kind = LineKind::Key;
  line.name = std::move(key);
  line.value = Trim(t.substr(eq + 1));
  return line;
}

std::vector<SettingsFile::Line> SettingsFile::Parse(const std::string& bytes) {
  std::wstring text;
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    text = WideFromUtf8(bytes.substr(3));
  else if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0)
    text = WideFromUtf16Le(bytes, 2);
  else
    text = WideFromCp1252(bytes);

  std::vector<Line> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') continue;
    lines.push_back(ParseLine(text.substr(start, i - start)));
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(ParseLine(text.substr(start)));
  return lines;
}

std::string SettingsFile::Serialize(const std::vector<Line>& lines) {
  std::wstring text;
  for (const Line& line : lines) {
    text += line.text;
    text += L"\r\n";
  }
  std::string bytes;
  if (Cp1252FromWide(text, bytes)) return bytes;
  return "\xEF\xBB\xBF" + Utf8FromWide(text);
}

void SettingsFile::Refresh() const {
  // A batch works on what the handle held when it began.
  if (batchDepth_ > 0 && loaded_) return;
  const FileStamp now = GetFileStamp(path_);
  const uint64_t generation = g_writeGeneration.load();
  if (loaded_ && !unreadable_ && now == stamp_ && generation == generation_) return;
  std::string bytes;
  if (!now.exists) {
    // Keep what this handle holds if its own writes could not create the file.
    if (!loaded_ || stamp_.exists || generation != generation_) lines_.clear(), unsaved_ = false;
    unreadable_ = false;
  } else if (ReadWholeFile(path_, bytes)) {
    lines_ = Parse(bytes);
    unreadable_ = false;
    unsaved_ = false;
  } else {
    if (!loaded_) lines_.clear();
    unreadable_ = true;
  }
  stamp_ = now;
  generation_ = generation;
  loaded_ = true;
}

void SettingsFile::Save() {
  if (batchDepth_ > 0) {
    batchChanged_ = true;
    return;
  }
  // A file that exists but could not be read must not be replaced by the
  // little this handle knows of it.
  if (unreadable_ || !ReplaceFileContents(path_, Serialize(lines_))) {
    unsaved_ = true;
    return;
  }
  unsaved_ = false;
  stamp_ = GetFileStamp(path_);
  generation_ = ++g_writeGeneration;
}

long SettingsFile::FindKey(const std::wstring& section, const std::wstring& key) const {
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::Section)
      inSection = EqualsNoCase(line.name, section);
    else if (inSection && line.kind == LineKind::Key && EqualsNoCase(line.name, key))
      return static_cast<long>(i);
  }
  return -1;
}

bool SettingsFile::SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& rawValue) {
  const std::wstring value = OneLine(rawValue);
  const long found = FindKey(section, key);
  if (found >= 0) {
    Line& line = lines_[static_cast<size_t>(found)];
    if (line.value == value) return false;  // keeps the line as it was typed
    line.value = value;
    line.text = line.name + L"=" + value;
    return true;
  }
  Line entry;
  entry.kind = LineKind::Key;
  entry.name = OneLine(key);
  entry.value = value;
  entry.text = entry.name + L"=" + value;

  size_t header = lines_.size();
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == LineKind::Section && EqualsNoCase(lines_[i].name, section)) {
      header = i;
      break;
    }
  if (header == lines_.size()) {
    Line head;
    head.kind = LineKind::Section;
    head.name = OneLine(section);
    head.text = L"[" + head.name + L"]";
    lines_.push_back(std::move(head));
    lines_.push_back(std::move(entry));
    return true;
  }
  size_t insertAt = header + 1;
  for (size_t i = header + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i)
    if (lines_[i].kind == LineKind::Key) insertAt = i + 1;
  lines_.insert(lines_.begin() + static_cast<long>(insertAt), std::move(entry));
  return true;
}

bool SettingsFile::RemoveSection(const std::wstring& section) {
  bool changed = false;
  for (size_t h = 0; h < lines_.size();) {
    if (lines_[h].kind != LineKind::Section || !EqualsNoCase(lines_[h].name, section)) {
      ++h;
      continue;
    }
    size_t last = h;  // last line that belongs to the section itself
    for (size_t i = h + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i) {
      const std::wstring t = Trim(lines_[i].text);
      if (!t.empty() && !IsComment(t)) last = i;
    }
    lines_.erase(lines_.begin() + static_cast<long>(h), lines_.begin() + static_cast<long>(last + 1));
    changed = true;
  }
  return changed;
}

std::vector<std::pair<std::wstring, std::wstring>> SettingsFile::RawPairs(const std::wstring& section) const {
  std::vector<std::pair<std::wstring, std::wstring>> pairs;
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::Section) {
      inSection = EqualsNoCase(line.name, section);
      continue;
    }
    if (!inSection || line.kind != LineKind::Key) continue;
    bool seen = false;
    for (const auto& p : pairs) seen = seen || EqualsNoCase(p.first, line.name);
    if (!seen) pairs.emplace_back(line.name, line.value);
  }
  return pairs;
}

std::wstring SettingsFile::ReadRawString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& def) const {
  Refresh();
  const long found = FindKey(Trim(section), Trim(key));
  return found < 0 ? def : lines_[static_cast<size_t>(found)].value;
}

std::wstring SettingsFile::ReadString(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& def) const {
  Refresh();
  const long found = FindKey(Trim(section), Trim(key));
  return found < 0 ? def : CookValue(lines_[static_cast<size_t>(found)].value);
}

int SettingsFile::ReadInteger(const std::wstring& section, const std::wstring& key, int def) const {
  Refresh();
  const long found = FindKey(Trim(section), Trim(key));
  if (found < 0) return def;
  return ParseInteger(CookValue(lines_[static_cast<size_t>(found)].value)).value_or(def);
}

bool SettingsFile::ReadBool(const std::wstring& section, const std::wstring& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void SettingsFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  const std::wstring s = Trim(section), k = Trim(key);
  if (k.empty()) return;
  Refresh();
  if (SetValue(s, k, value) || unsaved_) Save();
}

void SettingsFile::WriteInteger(const std::wstring& section, const std::wstring& key, int value) {
  WriteString(section, key, IntToWide(value));
}

void SettingsFile::WriteBool(const std::wstring& section, const std::wstring& key, bool value) {
  WriteString(section, key, value ? L"1" : L"0");
}

void SettingsFile::EraseSection(const std::wstring& section) {
  Refresh();
  if (RemoveSection(Trim(section)) || unsaved_) Save();
}

std::vector<std::wstring> SettingsFile::ReadSection(const std::wstring& section) const {
  Refresh();
  std::vector<std::wstring> keys;
  for (auto& p : RawPairs(Trim(section))) keys.push_back(std::move(p.first));
  return keys;
}

std::vector<std::pair<std::wstring, std::wstring>> SettingsFile::ReadSectionValues(const std::wstring& section) const {
  Refresh();
  auto pairs = RawPairs(Trim(section));
  for (auto& p : pairs) p.second = CookValue(p.second);
  return pairs;
}

bool SettingsFile::SectionExists(const std::wstring& section) const {
  Refresh();
  const std::wstring s = Trim(section);
  for (const Line& line : lines_)
    if (line.kind == LineKind::Section && EqualsNoCase(line.name, s)) return true;
  return false;
}

SettingsFile::Batch::Batch(SettingsFile& settings) : settings_(&settings), unwinding_(std::uncaught_exceptions()) {
  settings.Refresh();
  ++settings.batchDepth_;
}

SettingsFile::Batch::~Batch() {
  if (std::uncaught_exceptions() > unwinding_ && settings_) {
    // Left by an error: the file stays as it was (the handle keeps the
    // changes in memory, as after a failed write).
    if (--settings_->batchDepth_ == 0 && settings_->batchChanged_) {
      settings_->batchChanged_ = false;
      settings_->unsaved_ = true;
    }
    settings_ = nullptr;
    return;
  }
  Commit();
}

bool SettingsFile::Batch::Commit() {
  if (!settings_) return true;
  SettingsFile& s = *settings_;
  settings_ = nullptr;
  if (--s.batchDepth_ > 0 || !s.batchChanged_) return true;
  s.batchChanged_ = false;
  s.Save();
  return !s.unsaved_;
}

void MoveSection(SettingsFile& settings, const std::wstring& from, const std::wstring& to) {
  const std::wstring f = Trim(from), t = Trim(to);
  if (EqualsNoCase(f, t)) return;
  settings.Refresh();
  const auto pairs = settings.RawPairs(f);
  if (pairs.empty()) return;
  settings.RemoveSection(f);
  for (const auto& [key, value] : pairs) settings.SetValue(t, key, value);
  settings.Save();
}

std::wstring QuoteListEntry(const std::wstring& entry) {
  std::wstring out = L"\"";
  for (wchar_t c : entry) {
    out += c;
    if (c == L'"') out += L'"';
  }
  return out + L"\"";
}

bool IsQuotedValue(const std::wstring& raw) { return raw.size() >= 2 && raw.front() == L'"' && raw.back() == L'"'; }

std::wstring UnquoteListEntry(const std::wstring& readValue, bool wasQuoted) {
  if (!wasQuoted) return readValue;
  std::wstring out;
  out.reserve(readValue.size());
  for (size_t i = 0; i < readValue.size(); ++i) {
    out += readValue[i];
    if (readValue[i] == L'"' && i + 1 < readValue.size() && readValue[i + 1] == L'"') ++i;
  }
  return out;
}

std::wstring ReadListEntry(const SettingsFile& settings, const std::wstring& section, const std::wstring& key) {
  const bool quoted = IsQuotedValue(settings.ReadRawString(section, key, L""));
  return UnquoteListEntry(settings.ReadString(section, key, L""), quoted);
}

}  // namespace rn
