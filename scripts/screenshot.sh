#!/usr/bin/env bash
# Retakes docs/screenshot.png: the window on a scratch copy of the sample game folder,
# player1_options.ini loaded, two colours picked and given to five options, the pointer
# over the chart; on a 96 dpi Xvfb screen without a window manager.
#   ./scripts/screenshot.sh [program]   (default: the program the .deb installs)
# docs/screenshot.png was taken with build/default/src/app/orvexcolors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-/usr/bin/orvexcolors}
"$root/scripts/install-deps.sh" xvfb xdotool imagemagick

scratch=$(mktemp -d)
cp -r "$root/sample/." "$scratch/"
export DISPLAY=:77
Xvfb "$DISPLAY" -screen 0 1024x768x24 -dpi 96 -nolisten tcp &
xvfb=$!
sleep 1
"$program" "$scratch" &
tool=$!
trap 'kill $tool $xvfb; rm -rf "$scratch"' EXIT
sleep 3
# Design coordinates: the menu bar above the client area adds `menu` pixels.
menu=18
click() { xdotool mousemove "$1" $(($2 + menu)) click 1; sleep 0.3; }
click 40 24                                       # player1_options.ini
click 170 300; click 330 104; click 330 120; click 330 136  # red to three options
click 60 330; click 330 168; click 330 184        # blue to two more
xdotool mousemove 95 $((280 + menu)); sleep 0.5
import -window root -crop 474x537+0+0 +repage "$root/docs/screenshot.png"
echo "Wrote docs/screenshot.png"
