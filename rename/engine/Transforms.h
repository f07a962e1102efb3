// The new name each name operation proposes for one entry. Pure functions of
// the request, the entry's name, whether it is a folder, the run's counter and
// the entry's time stamp; nothing here touches the disk.
//
// Positions and lengths count characters of the name as code points: a
// character beyond U+FFFF is one character, and no cut or insertion ever
// falls inside it. Every cut is clipped to the text: a count below 0 is 0, a
// count beyond the length takes the whole text, so any value is safe on any
// name.
#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/DateLocale.h"
#include "base/DateTime.h"
#include "engine/CaseConvert.h"
#include "engine/Operation.h"

namespace rn {

// "'" "`" "´" ( ) ; [ ] { }: passed over at the start of a name by operation 6.
bool IsOpener(wchar_t c);
// The openers and the space, "," and ".": a word starts after one of them.
bool IsWordSeparator(wchar_t c);
// "'" "`" "´".
bool IsApostrophe(wchar_t c);

// Length of the extension in units of the string: from the last "." to the
// end, the dot included; 0 without a dot and always 0 for a folder.
size_t ExtensionLength(const std::wstring& name, bool isFolder);

// The clipped cuts: the first k characters, the last k characters, and the
// text from 1-based position p (p below 1 counts as 1, beyond the end: empty).
std::wstring HeadOf(const std::wstring& s, int64_t k);
std::wstring TailOf(const std::wstring& s, int64_t k);
std::wstring FromPosition(const std::wstring& s, int64_t p);

// The counter in decimal, padded with leading zeros to at least `width`
// digits; a negative counter is "-" and then at least `width` digits.
std::wstring NumberText(int64_t counter, size_t width);

// Operation 1: `text` after the first n characters of the whole name.
std::wstring InsertFromBegin(const std::wstring& name, const std::wstring& text, int64_t n);
// Operation 2: `text` before the last n characters of the base (n 0: right
// before the extension). Beyond the base's start it goes in front.
std::wstring InsertFromEnd(const std::wstring& name, bool isFolder, const std::wstring& text, int64_t n);
// Operations 3 and 4: every occurrence of `find` in the base, left to right
// and never looking back, becomes `with`; the extension is never searched.
// An empty `find` changes nothing.
std::wstring ReplaceInBase(const std::wstring& name, bool isFolder, const std::wstring& find, const std::wstring& with);
// Operation 5: base + "." + the cleaned extension text; a name without an
// extension gets one; a folder is left as it is.
std::wstring ChangeExtension(const std::wstring& name, bool isFolder, const std::wstring& renameTo);
// Operation 6.
std::wstring Capitalize(const std::wstring& name, bool isFolder, bool everyWord, const CaseConverter& cases);
// Operation 7: the whole name in upper (4) or lower (5) case; nothing for any
// other code.
std::optional<std::wstring> ConvertCase(const std::wstring& name, int caseMode, const CaseConverter& cases);
// Operation 10: cuts `count` characters after the first `at` characters.
std::wstring TrimFromBegin(const std::wstring& name, int64_t count, int64_t at);
// Operation 11: cuts the `count` characters that end `at` characters before
// the extension.
std::wstring TrimFromEnd(const std::wstring& name, bool isFolder, int64_t count, int64_t at);
// Operation 19: keeps the first `head` and the last `tail` characters of the
// base and the extension. A base that is not longer than head + tail stays
// whole: the two ends never overlap.
std::wstring KeepHeadAndTail(const std::wstring& name, bool isFolder, int64_t head, int64_t tail);
// Operation 12 with the number text: style 6 number + name, 7 base + number +
// extension, 8 number + extension; nothing for any other style.
std::optional<std::wstring> Numerate(const std::wstring& name, bool isFolder, int numberStyle,
                                     const std::wstring& number);
// Operation 18: prefix without its leading spaces + number + suffix + extension.
std::wstring CreateName(const std::wstring& name, bool isFolder, const std::wstring& prefix, const std::wstring& number,
                        const std::wstring& suffix);
// Operations 16 and 17 with the date stamp's text.
std::wstring AddStampToBegin(const std::wstring& name, const std::wstring& stamp);
std::wstring AddStampToEnd(const std::wstring& name, bool isFolder, const std::wstring& stamp);

// Whether the run keeps a counter for the operation (12 and 18). The counter
// moves on by 1 after every entry for which ProposeName returned a name.
bool UsesCounter(OperationId id);

// Why an operation makes no name for one entry (a pattern that tries without
// end on it, a replacement that would leave half a character): the entry
// keeps its name, and the preview and the run say why.
// A file that lacks a field the text needs (FieldText.h) is such a row too:
// the run names it in its one report rather than in a box of its own.
struct RowRefused : std::runtime_error {
  explicit RowRefused(std::wstring why, bool lacking = false)
      : std::runtime_error("no name for this entry"), reason(std::move(why)), lacksField(lacking) {}
  std::wstring reason;
  bool lacksField = false;
};

// The proposal of the request's operation for one entry. `counter` is used by
// operations 12 and 18 and `stamp` (the entry's time stamp of the chosen
// DateType) by 16 and 17. Nothing for operations that rename nothing (9, 15,
// none chosen, unknown ids) and for selector codes outside their range.
// Operation 4 with a flag on goes through PatternReplace.h and may throw
// RowRefused.
std::optional<std::wstring> ProposeName(const RenameTask& task, const std::wstring& name, bool isFolder,
                                        int64_t counter, const DateTime& stamp, const CaseConverter& cases,
                                        const DateLocale& dates);

}  // namespace rn
