// A registry script read back as the changes it makes, for a program that
// writes the registry itself: the installer writes and removes the Explorer
// entry from the program's own scripts (Registration.h), and the tests check
// the same keys.
#pragma once
#include <string>
#include <vector>

namespace rn {

struct RegistryKey {
  std::wstring root;  // as the script names it: "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", ...
  std::wstring path;  // below the root; a key under Wow6432Node is named as the 32-bit view names it
  bool view32 = false;
};

struct RegistryValue {
  RegistryKey key;
  std::wstring name;  // empty for the key's default value ("@")
  std::wstring data;
};

struct RegistryScript {
  std::vector<RegistryValue> values;     // string values written, in the script's order
  std::vector<RegistryKey> deletedKeys;  // "[-...]" sections
};

// Reads the lines of a script. A line it cannot read (a value of a type other
// than a string, a value before any key) raises an AppError that names it.
RegistryScript ReadRegistryScript(const std::vector<std::wstring>& lines);

// What takes out everything the add script writes and the remove script
// deletes, in both registry views: the keys whose default value the add script
// sets or that the remove script deletes, and the named values the add script
// writes into keys it shares with others (Explorer's list of approved
// extensions). No key is named twice.
struct RegistryCleanUp {
  std::vector<RegistryKey> keys;
  std::vector<RegistryValue> values;  // data left empty
};
RegistryCleanUp CleanUpFor(const RegistryScript& add, const RegistryScript& remove);

}  // namespace rn
