#!/bin/bash
# Runs the native suite, then the Windows suite under Wine; fails if either fails.
rc=0
for dir in "$@"; do
  echo "== tests in $dir"
  ctest --test-dir "$dir" --output-on-failure --timeout 300 || rc=1
done
exit $rc
