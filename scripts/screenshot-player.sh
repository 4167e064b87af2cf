#!/usr/bin/env bash
# Retakes docs/screenshots/qt-menu.png (the File menu open over the window) and
# docs/screenshots/qt-apply-dialog.png (File > Apply to Other Characters...): the window on
# a scratch copy of the sample game folder with two more player files, player1_options.ini
# loaded and a colour given to three options by the keyboard; on a 96 dpi Xvfb screen
# without a window manager.
#   ./scripts/screenshot-player.sh [program]   (default: the one of build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/default/src/app/orvexcolors}
shots=$root/docs/screenshots
"$root/scripts/install-deps.sh" xvfb xdotool imagemagick

scratch=$(mktemp -d)
cp -r "$root/sample/." "$scratch/"
output=$scratch/Data/client/output
cp "$output/player2_options.ini" "$output/player3_options.ini"
cp "$output/player2_options.ini" "$output/player4_options.ini"
export DISPLAY=:78
Xvfb "$DISPLAY" -screen 0 1024x768x24 -dpi 96 -nolisten tcp &
xvfb=$!
sleep 1
"$program" "$scratch" &
tool=$!
trap 'kill $tool $xvfb; rm -rf "$scratch"' EXIT
sleep 3
window=$(xdotool search --sync --name "Color Configuration" | head -1)
xdotool windowfocus --sync "$window"
keys() { xdotool key --delay 100 "$@"; sleep 0.5; }
keys Down Tab shift+Left shift+Left shift+Up Return                  # player1, a colour kept
keys Tab Tab Tab Tab Return Down Return Down Down Return Up           # to three options
mkdir -p "$shots"
keys alt+f
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+0+0" +repage "$shots/qt-menu.png"
keys a
import -window "$(xdotool search --name "Apply to Other Characters" | head -1)" \
  "$shots/qt-apply-dialog.png"
echo "Wrote $shots/qt-menu.png and $shots/qt-apply-dialog.png"
