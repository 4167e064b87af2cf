#!/usr/bin/env bash
# Checks the formatting, builds everything and runs every test (headless): the Windows
# core under Wine, short fuzz runs, then the native suite, plain and under
# Address/UndefinedBehavior sanitizers. Warnings are errors when CI is set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${test_packages[@]}"

# A locale with a comma as decimal separator, for the tests showing that the file
# format ignores it.
if ! locale -a | grep -qi '^de_DE\.utf-\?8$'; then
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

werror=OFF
[ -n "${CI:-}" ] && werror=ON
export ORVEX_WERROR=$werror

echo "== Formatting =="
scripts/format.sh --check

scripts/test-windows.sh
scripts/test-fuzz.sh

for preset in default asan; do
  echo "== Native tests ($preset) =="
  cmake --preset "$preset" -DORVEX_WERROR="$werror" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
