#!/usr/bin/env bash
# Retakes docs/screenshot-windows.png: the Win32 window (build/mingw) under Wine on a
# scratch copy of the sample game folder, with the same steps as scripts/screenshot.sh
# takes the Qt one; on a 96 dpi Xvfb screen without a window manager, Wine drawing the
# frames. Then docs/screenshots/win32-menu.png (the File menu open) and
# win32-apply-dialog.png (Apply to Other Characters), frames included.
#   ./scripts/screenshot-windows.sh   (after scripts/test-windows.sh or a mingw build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$root/build/mingw/src/win32/orvexcolors.exe
"$root/scripts/install-deps.sh" xvfb xdotool imagemagick wine wine64

scratch=$(mktemp -d)
cp -r "$root/sample/." "$scratch/"
export DISPLAY=:78 WINEPREFIX=$scratch/wineprefix WINEDEBUG=-all
Xvfb "$DISPLAY" -screen 0 1024x768x24 -dpi 96 -nolisten tcp &
xvfb=$!
sleep 1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wine "$program" "Z:${scratch//\//\\}" &
tool=$!
trap 'kill $tool; wineserver -k || true; kill $xvfb; rm -rf "$scratch"' EXIT
sleep 25 # a new Wine prefix first
# The client area's design position: 2385 and 1545 twips from the screen's corner.
left=159 top=103
click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.3; }
click 40 24                                       # player1_options.ini
click 170 300; click 330 104; click 330 120; click 330 136  # red to three options
click 60 330; click 330 168; click 330 184        # blue to two more
xdotool mousemove $((left + 95)) $((top + 280)); sleep 0.5
import -window root -crop 474x502+$left+$top +repage "$root/docs/screenshot-windows.png"
echo "Wrote docs/screenshot-windows.png"
frame() { import -window root -crop "$1x566+$((left - 3))+$((top - 41))" +repage "$root/docs/screenshots/$2"; }
xdotool key ctrl+s; sleep 0.5; xdotool key Return; sleep 0.5     # saved, its message closed
xdotool mousemove $((left + 13)) $((top - 9)) click 1; sleep 0.5  # File
xdotool mousemove $((left + 40)) $((top + 75)); sleep 0.5         # over Save Changes
frame 479 win32-menu.png
click 40 43; sleep 1                                              # Apply to Other Characters...
frame 524 win32-apply-dialog.png
echo "Wrote docs/screenshots/win32-menu.png and win32-apply-dialog.png"
