#!/usr/bin/env bash
# Builds the tool and opens its window. Start-up looks for the installed game first;
# without one the window opens on a scratch copy of the sample game folder, so the
# demo never changes tracked files. Arguments go to the tool (a game folder).
set -euo pipefail
start=$(pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}"

cmake --preset default >/dev/null
cmake --build --preset default --target orvexcolors

scratch=$(mktemp -d)
cp -r sample/. "$scratch/"
# A relative folder argument stays relative to where the script was started.
if [ $# -gt 0 ] && [ "${1#/}" = "$1" ]; then
  set -- "$start/$1" "${@:2}"
fi
echo "Sample game folder for this run: $scratch"
cd "$scratch"
exec "$root/build/default/src/app/orvexcolors" "$@"
