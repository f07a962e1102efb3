#!/bin/bash
# Runs the native suite, then the Windows suite under Wine; fails if either fails.
# A case is given a second start when its first one fails: now and then a Wine
# process ends at its very start, before the test's first line, with no output.
# A real fault fails both starts.
rc=0
for dir in "$@"; do
  echo "== tests in $dir"
  ctest --test-dir "$dir" --output-on-failure --timeout 300 --repeat until-pass:2 || rc=1
done
exit $rc
