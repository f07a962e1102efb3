#!/usr/bin/env python3
"""Writes rename/base/UnicodeTables.cpp from the Unicode Character Database
that Python carries (unicodedata): the kind of every code point, the simple
lower-case mapping of the capitals Windows pairs with a lower case, where
simple case folding differs from it, and the lower-case letters. Run from
the source folder: python3 cmake/unicode_tables.py
"""
import sys
import unicodedata as ucd

LIMIT = 0x110000
SURROGATES = range(0xD800, 0xE000)


def kind(cp):
    c = ucd.category(chr(cp))
    if c == "Cn":
        return None
    if c in ("Nd", "Pc", "Cc"):
        return {"Nd": "Digit", "Pc": "Connector", "Cc": "Control"}[c]
    return {"L": "Letter", "M": "Mark", "N": "Number", "P": "Punctuation", "S": "Symbol", "Z": "Space"}.get(
        c[0], "Other")


def kind_runs():
    # Unassigned code points between two runs of one kind join the run.
    runs = []
    gap = False
    for cp in range(LIMIT):
        k = kind(cp)
        if k is None:
            gap = True
            continue
        if runs and runs[-1][2] == k and (gap or runs[-1][1] == cp - 1):
            runs[-1][1] = cp
        else:
            runs.append([cp, cp, k])
        gap = False
    return runs


def case_maps():
    lower, full_lower, fold = {}, {}, {}
    for cp in range(LIMIT):
        if cp in SURROGATES:
            continue
        c = chr(cp)
        lo, fo = c.lower(), c.casefold()
        if len(lo) == 1 and lo != c:
            full_lower[cp] = ord(lo)
            # Names compare as Windows compares them, by their capitals: a
            # capital that is not its lower case's own capital (the Kelvin
            # and Ohm signs, U+0130) keeps itself here, and folds below.
            if lo.upper() == c or ucd.category(c) == "Lt":
                lower[cp] = ord(lo)
        # A full folding into several characters has the simple one of the
        # lower case (U+1E9E folds to U+00DF).
        if len(fo) == 1 and fo != c:
            fold[cp] = ord(fo)
        elif len(fo) > 1 and cp in full_lower:
            fold[cp] = full_lower[cp]
    fold.setdefault(0x130, 0x69)  # the simple mapping; Python's lower() gives the full one
    fold_only = {}
    for cp in sorted(set(lower) | set(fold)):
        if fold.get(cp, cp) != lower.get(cp, cp):
            fold_only[cp] = fold.get(cp, cp)
    return lower, fold_only


def steps(mapping):
    # Runs of code points 1 or 2 apart that move by the same distance.
    runs = []
    for cp in sorted(mapping):
        d = mapping[cp] - cp
        if runs:
            first, last, delta, step = runs[-1]
            if delta == d and cp - last == step:
                runs[-1][1] = cp
                continue
            if delta == d and first == last and cp - last in (1, 2):
                runs[-1][1], runs[-1][3] = cp, cp - last
                continue
        runs.append([cp, cp, d, 1])
    return runs


def rows(items, per_line):
    lines = []
    for i in range(0, len(items), per_line):
        lines.append("    " + " ".join(items[i:i + per_line]))
    return "\n".join(lines)


def main():
    lower, fold_only = case_maps()
    lowercase = {cp: cp for cp in range(LIMIT) if ucd.category(chr(cp)) == "Ll"}
    out = [
        "// Made by cmake/unicode_tables.py from the Unicode Character Database " + ucd.unidata_version + ";",
        "// run it again rather than editing these tables by hand.",
        '#include "base/UnicodeTables.h"',
        "",
        "namespace rn::unicode {",
        "",
        "// Several runs to a line.", "// clang-format off",
        "const KindRun kKindRuns[] = {",
        rows(["{0x%X, 0x%X, CharKind::%s}," % (f, l, k) for f, l, k in kind_runs()], 3),
        "};",
        "const size_t kKindRunCount = std::size(kKindRuns);",
        "",
    ]
    for name, mapping in (("kLowerRuns", lower), ("kFoldOnlyRuns", fold_only), ("kLowercaseRuns", lowercase)):
        runs = steps(mapping)
        out += [
            "const CaseRun %s[] = {" % name,
            rows(["{0x%X, 0x%X, %d, %d}," % tuple(r) for r in runs], 4),
            "};",
            "const size_t %sCount = std::size(%s);" % (name[:-4] + "Run", name),
            "",
        ]
    out += ["// clang-format on", "", "}  // namespace rn::unicode"]
    with open("rename/base/UnicodeTables.cpp", "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    sys.exit(main())
