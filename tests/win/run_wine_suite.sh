#!/usr/bin/env bash
# Runs the Wine suite of the cross build in $1 (made by scripts/build-win).
# Exits 77 (skipped) when there is no such build or no Wine.
set -u
dir=$1
if [ ! -f "$dir/CTestTestfile.cmake" ]; then
  echo "skipped: no cross build in $dir (scripts/build-win makes it)"
  exit 77
fi
if ! command -v wine64 >/dev/null && [ ! -x /usr/lib/wine/wine64 ]; then
  echo "skipped: Wine is not installed"
  exit 77
fi
exec ctest --test-dir "$dir" -L wine --output-on-failure --timeout 600
