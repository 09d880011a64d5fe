#!/usr/bin/env bash
# Runs every test binary whole, in one process and in shuffled order, as a
# developer runs `build/bin/x_tests`: a test that leans on state another test
# left behind fails here even though CTest, one test per process, passes it.
# CTest runs in the C locale; these runs are in German (a comma before the
# decimals, translated type names and system messages), so a test that leans
# on English text fails here. Each binary runs in a scratch folder of its own
# with its own home and registry file, eight at a time.
# Usage: test-binaries-whole.sh [build folder]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# The German locale is built into the build folder (Debian's `locales`).
locales=$build/locales
[ -d "$locales/de_DE.UTF-8" ] ||
  { mkdir -p "$locales" && localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8"; }
export LOCPATH=$locales LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 LANGUAGE=de

run_one() {
  local binary=$1 scratch
  scratch=$(mktemp -d)
  if (cd "$scratch" && HOME=$scratch VSQ_REGISTRY=$scratch/registry.txt \
        timeout 300 "$binary" --gtest_shuffle --gtest_brief=1 >"$scratch/said" 2>&1); then
    echo "whole: passed $(basename "$binary")"
  else
    echo "whole: FAILED $(basename "$binary")"
    tail -n 40 "$scratch/said" | sed 's/^/  /'
  fi
  rm -rf "$scratch"
}
export -f run_one

results=$(find "$build/bin" -maxdepth 1 -name '*_tests' -type f -perm -u+x | sort |
  xargs -r -P 8 -I{} bash -c 'run_one "$@"' _ {})
printf '%s\n' "$results"
passed=$(grep -c '^whole: passed' <<<"$results" || true)
failed=$(grep -c '^whole: FAILED' <<<"$results" || true)
echo "Test binaries run whole, one process each, in German:"
echo "whole: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
