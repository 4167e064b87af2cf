#!/usr/bin/env bash
# Builds everything and runs every test (headless). Warnings are errors when CI is set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}"

werror=OFF
[ -n "${CI:-}" ] && werror=ON

cmake --preset default -DORVEX_WERROR="$werror"
cmake --build --preset default
ctest --preset default
