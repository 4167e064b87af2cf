#!/usr/bin/env bash
# Builds the bench preset and runs every benchmark with its peers on this machine,
# then prints the table (ours, peer, ratio). With --record the table also goes to
# bench/RESULTS.md with the machine, the date and the command.
#   ./scripts/bench.sh [--record] [repetitions]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
record=0
if [ "${1:-}" = "--record" ]; then
  record=1
  shift
fi
repetitions=${1:-5}
load_at_start=$(uptime | sed 's/.*load average: //')

source scripts/packages.sh
bench_packages=(libbenchmark-dev qt6-base-dev python3 wine wine64 g++-mingw-w64-x86-64-posix)
scripts/install-deps.sh "${build_packages[@]}" "${bench_packages[@]}"

build=build/bench
cmake --preset bench -DORVEX_BUILD_TESTS=OFF >/dev/null
cmake --build --preset bench --parallel 2

results=$build/results
data=$(pwd)/$build/bench-data
rm -rf "$results"
mkdir -p "$results" "$data"
"$build/bench/orvex_bench_make_files" "$data"
# Windows' service under Wine answers from its cache only for files unchanged for more
# than 2.1 s: the peer is measured at its best.
touch -d '1 minute ago' "$data"/*.ini
export ORVEX_BENCH_DATA=$data
gbench=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true
        --benchmark_out_format=json)

echo "== Ours: load, save, section names"
"$build/bench/orvex_bench_profile" "${gbench[@]}" --benchmark_out="$results/ours.json"
echo "== Peer: QSettings"
"$build/bench/orvex_bench_qsettings" "${gbench[@]}" --benchmark_out="$results/qsettings.json"
echo "== Peer: Windows private-profile API under Wine"
if [ -f "$build/bench/orvex_bench_wine_peer.exe" ] && command -v wine >/dev/null; then
  # A prefix of its own, so the user's ~/.wine is never touched.
  export WINEPREFIX=$(pwd)/$build/wine-prefix WINEDEBUG=-all
  [ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1
  wine "$build/bench/orvex_bench_wine_peer.exe" "Z:${data//\//\\}" "$repetitions" \
    >"$results/wine.json"
  wineserver -w
  unset WINEPREFIX
else
  echo "(mingw-w64 or wine missing: no Wine figures)"
fi
echo "== Ours: pointer move over the chart"
"$build/bench/orvex_bench_pointer" "${gbench[@]}" --benchmark_out="$results/pointer.json"

echo "== Start-up and peak memory: ours, the empty window, a window with one label"
# A scratch copy of the sample game folder as the current folder and an empty home
# (no Wine prefix): both programs start in the same plain setting.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r sample/. "$scratch/"
mkdir -p "$scratch/home"
for program in ours empty label; do
  case $program in
    ours) binary=$(pwd)/$build/bench/orvex_bench_startup_tool ;;
    empty) binary=$(pwd)/$build/bench/orvex_bench_empty_window ;;
    label) binary=$(pwd)/$build/bench/orvex_bench_label_window ;;
  esac
  (cd "$scratch" && env -u WINEPREFIX HOME="$scratch/home" ORVEX_BENCH_PROGRAM="$binary" \
    "$root/$build/bench/orvex_bench_startup" "${gbench[@]}" \
    --benchmark_out="$root/$results/startup-$program.json")
done

echo
echo "== Table (medians of $repetitions repetitions; ratio = ours / peer)"
python3 bench/table.py "$results"

if [ "$record" = 1 ]; then
  {
    echo "# Benchmark results"
    echo
    echo "Command: \`./scripts/bench.sh --record $repetitions\`"
    echo
    echo "Date: $(date -u '+%Y-%m-%d %H:%M UTC'). Load average (1, 5, 15 min) at the start: $load_at_start; at the end: $(uptime | sed 's/.*load average: //')."
    echo
    echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo) RAM, $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r), $(wine --version 2>/dev/null || echo 'no wine'), Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo '?'); files on $(df -T "$data" | awk 'NR == 2 {print $2}')."
    echo
    python3 bench/table.py "$results" --markdown
    echo
    cat bench/RESULTS-notes.md
  } >bench/RESULTS.md
  echo "Wrote bench/RESULTS.md"
fi
