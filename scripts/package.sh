#!/usr/bin/env bash
# Builds the Debian package build/package/orvexcolors_<version>_<arch>.deb (Release,
# installing under /usr) and checks its desktop entry and metainfo as installed.
# Install it with: sudo apt-get install ./build/package/orvexcolors_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${package_packages[@]}"

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel 2
(cd "$build" && cpack)

staged=$(mktemp -d)
trap 'rm -rf "$staged"' EXIT
dpkg-deb -x "$build"/orvexcolors_*.deb "$staged"
desktop-file-validate "$staged"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$staged"/usr/share/metainfo/*.metainfo.xml
ls "$build"/orvexcolors_*.deb
