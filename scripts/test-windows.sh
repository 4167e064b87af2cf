#!/usr/bin/env bash
# The Windows build (the Qt-free core and the Win32 window, with mingw-w64) and its
# tests run under Wine, in a throwaway Wine prefix; the window's tests inside Xvfb.
# Prints the time it took.
set -euo pipefail
started=$(date +%s)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${windows_packages[@]}"

# ctest makes the prefix before the first test and removes it after the last;
# this removes it too when the run is cut short.
export WINEPREFIX=$root/build/mingw/wineprefix
cleanup() {
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  echo "== Windows build: $(($(date +%s) - started)) s =="
}
trap cleanup EXIT

echo "== Windows build (mingw-w64, tests under Wine in Xvfb) =="
cmake --preset mingw -DORVEX_WERROR="${ORVEX_WERROR:-OFF}" -DORVEX_WINEPREFIX="$WINEPREFIX" \
  >/dev/null
cmake --build --preset mingw
# 96 dpi: the window's pixel sizes are the designed ones; a screen tall enough for the
# window at 144 dpi too.
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ctest --preset mingw
