// Operation 4 with its flags: "Replace all <find> by <with> in name" where
// <find> is a pattern in Perl's syntax (RenameTask::ReplacePattern) and the
// matching may ignore letter case (ReplaceIgnoreCase, for plain text too).
// Both flags off is ReplaceInBase (Transforms.h) and never comes here.
//
// Matching runs on code points, so a match never takes half of a character
// beyond U+FFFF, and the same on every build: the letters, their classes
// (\w, [[:alpha:]], [[:upper:]] ...) and letter case are Unicode's
// (base/Unicode.h), never the C library's or the locale's. Only the base of
// the name is searched, as in ReplaceInBase; the extension stays.
//
// The replacement is text with references in it: $1 ... $99 and ${name} a
// group, $& and $0 the whole match, $$ a dollar, \1 ... \9 a group;
// everything else is itself ("\n", "(", "?"). A reference to a group the
// pattern does not have is an error like a pattern that does not compile.
#pragma once
#include <memory>
#include <string>

#include "engine/Operation.h"

namespace rn {

// The help's page on patterns, in English and in Portuguese (F1 on the
// operation's two boxes opens the one of the language shown).
inline constexpr unsigned long kPatternHelpContext = 7;
inline constexpr unsigned long kPatternHelpContextPortuguese = 8;

// Whether operation 4 of the request goes through here (a flag is on).
bool ReplacesByPattern(const RenameTask& task);

// The pattern, the replacement and the flags, compiled: one per change of
// them, shared by the preview and the run (see PatternOf).
struct CompiledPattern;
std::shared_ptr<const CompiledPattern> CompilePattern(const std::wstring& find, const std::wstring& with, bool pattern,
                                                      bool ignoreCase);
// The compiled form of the request's find and replacement texts and flags,
// compiled again only when one of them has changed since the last call on
// this thread.
std::shared_ptr<const CompiledPattern> PatternOf(const RenameTask& task);

// Why the request's pattern or replacement does not compile, with the place
// ("Unmatched ( at 7", in the language shown); empty when it compiles or the
// request uses no pattern. The checks before a run stop on it, and the
// preview shows it under the grid.
std::wstring PatternError(const RenameTask& task);
const std::wstring& CompileError(const CompiledPattern& compiled);

// Every match in the base of the name replaced, left to right; an empty
// match next to the last match is skipped, as Perl's s///g does. A pattern
// that does not compile changes nothing. Throws RowRefused (Transforms.h)
// when matching this name runs past the bound on backtracking, or when the
// result would hold more halves of a surrogate pair than the name did.
std::wstring ReplaceByPattern(const CompiledPattern& compiled, const std::wstring& name, bool isFolder);

}  // namespace rn
