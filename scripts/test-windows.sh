#!/usr/bin/env bash
# The Qt-free core built for Windows with mingw-w64 and its tests run under Wine,
# in a throwaway Wine prefix. Prints the time it took.
set -euo pipefail
started=$(date +%s)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/packages.sh
windows_packages=(wine wine64 g++-mingw-w64-x86-64-posix googletest)
scripts/install-deps.sh "${build_packages[@]}" "${windows_packages[@]}"

# ctest makes the prefix before the first test and removes it after the last;
# this removes it too when the run is cut short.
export WINEPREFIX=$root/build/mingw/wineprefix
cleanup() {
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  echo "== Windows core: $(($(date +%s) - started)) s =="
}
trap cleanup EXIT

echo "== Windows core (mingw-w64, tests under Wine) =="
cmake --preset mingw -DORVEX_WERROR="${ORVEX_WERROR:-OFF}" -DORVEX_WINEPREFIX="$WINEPREFIX" \
  >/dev/null
cmake --build --preset mingw
ctest --preset mingw
