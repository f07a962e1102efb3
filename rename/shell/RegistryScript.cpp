#include "shell/RegistryScript.h"

#include "base/Error.h"
#include "base/Text.h"

namespace rn {

namespace {

const std::wstring kWow64Prefix = L"SOFTWARE\\Wow6432Node\\";

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

[[noreturn]] void Unreadable(const std::wstring& line) {
  throw AppError{L"registry script: cannot read the line \"" + line + L"\""};
}

RegistryKey KeyOf(const std::wstring& name, const std::wstring& line) {
  const size_t slash = name.find(L'\\');
  if (name.empty() || slash == 0) Unreadable(line);
  RegistryKey key{name.substr(0, slash), slash == std::wstring::npos ? L"" : name.substr(slash + 1), false};
  if (StartsWithNoCase(key.path, kWow64Prefix)) {
    key.path = L"SOFTWARE\\" + key.path.substr(kWow64Prefix.size());
    key.view32 = true;
  }
  return key;
}

// A quoted string from `at` on with its escapes (\\ and \") undone; `at` ends past the closing quote.
std::wstring QuotedAt(const std::wstring& line, size_t& at) {
  if (at >= line.size() || line[at] != L'"') Unreadable(line);
  std::wstring text;
  for (++at; at < line.size(); ++at) {
    wchar_t c = line[at];
    if (c == L'"') {
      ++at;
      return text;
    }
    if (c == L'\\' && at + 1 < line.size()) c = line[++at];
    text += c;
  }
  Unreadable(line);
}

bool SameKey(const RegistryKey& a, const RegistryKey& b) {
  return EqualsNoCase(a.root, b.root) && EqualsNoCase(a.path, b.path) && a.view32 == b.view32;
}

}  // namespace

RegistryScript ReadRegistryScript(const std::vector<std::wstring>& lines) {
  RegistryScript script;
  RegistryKey key;
  bool inKey = false;  // values follow a key that is written, not one that is deleted
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::wstring& line = lines[i];
    if (line.empty() || (i == 0 && (line == L"Windows Registry Editor Version 5.00" || line == L"REGEDIT4"))) continue;
    if (line.front() == L'[') {
      if (line.back() != L']') Unreadable(line);
      const bool remove = line.size() > 2 && line[1] == L'-';
      key = KeyOf(line.substr(remove ? 2 : 1, line.size() - (remove ? 3 : 2)), line);
      if (remove) script.deletedKeys.push_back(key);
      inKey = !remove;
      continue;
    }
    if (!inKey) Unreadable(line);
    size_t at = 0;
    std::wstring name;
    if (line[0] == L'@')
      at = 1;
    else
      name = QuotedAt(line, at);
    if (at >= line.size() || line[at] != L'=') Unreadable(line);
    ++at;
    std::wstring data = QuotedAt(line, at);
    if (at != line.size()) Unreadable(line);
    script.values.push_back({key, name, data});
  }
  return script;
}

RegistryCleanUp CleanUpFor(const RegistryScript& add, const RegistryScript& remove) {
  RegistryCleanUp out;
  auto addKey = [&](RegistryKey key) {
    for (bool view32 : {false, true}) {
      key.view32 = view32;
      bool known = false;
      for (const RegistryKey& k : out.keys) known = known || SameKey(k, key);
      if (!known) out.keys.push_back(key);
    }
  };
  for (const RegistryValue& v : add.values)
    if (v.name.empty()) addKey(v.key);
  for (const RegistryKey& k : remove.deletedKeys) addKey(k);
  for (const RegistryValue& v : add.values) {
    bool ownKey = false;
    for (const RegistryKey& k : out.keys) ownKey = ownKey || SameKey(k, v.key);
    if (ownKey) continue;
    for (bool view32 : {false, true}) {
      RegistryValue value{v.key, v.name, L""};
      value.key.view32 = view32;
      out.values.push_back(value);
    }
  }
  return out;
}

}  // namespace rn
