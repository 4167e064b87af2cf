#!/usr/bin/env bash
# Start-up to first paint under Wine: Form1 on the sample folder against an empty
# Win32 window, alternately, `runs` times each (default 7); prints every run, from
# the launch of `wine` and from the process's creation. Needs a mingw build and an X
# display (e.g. xvfb-run -a scripts/win32-first-paint.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tool=$root/build/mingw/tests/win32/win32_first_paint.exe
runs=${1:-7}
export WINEDEBUG=-all
wine "$tool" empty >/dev/null  # the prefix and Wine's own files warm
for _ in $(seq "$runs"); do
  for mode in empty form; do
    launched=$(date +%s%3N)
    line=$(wine "$tool" "$mode" "$root/sample" | tr -d "\r")
    painted=${line##* at }
    echo "${line%%, at*}; $((painted - launched)) ms after launching wine"
  done
done
