#!/usr/bin/env bash
# Builds the tool and opens its window. Start-up looks for the installed game first;
# without one the window opens on a scratch copy of the sample game folder, so the
# demo never changes tracked files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}"

cmake --preset default >/dev/null
cmake --build --preset default --target orvexcolors

scratch=$(mktemp -d)
cp -r sample/. "$scratch/"
echo "Sample game folder for this run: $scratch"
cd "$scratch"
exec "$root/build/default/src/app/orvexcolors"
