#!/usr/bin/env bash
# Runs the start-up benchmark and the QBENCHMARK cases from a Release build
# in the folder given (build-release by default), on the current X display.
# PENNARO starts from a folder of its own holding a year's data: twelve saved
# revenues and a 24-line adat2.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-release}")
runs=${RUNS:-20}

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$build/pennaro" "$folder/"
for month in $(seq 1 12); do printf '%s\xa0000\r\n' $((400 + month * 10)); done >"$folder/adat.txt"
for line in $(seq 1 24); do printf 'K\xc5\x91szegi adat %s '"'"' megjegyz\xc3\xa9s\r\n' "$line"; done \
    >"$folder/adat2.txt"
sed -i '3s/.*/1\r/' "$folder/adat2.txt" # entry 3 is a number

echo "== Start-up ($(nproc) cores, $(uname -m), Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo 6))"
export XDG_RUNTIME_DIR="$folder/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$build/bench/launch_bench" "$runs" "$folder/pennaro" "$build/bench/form_only" "$build/bench/empty_window"
echo "== Work after the start"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_pennaro" -maxwarnings 1 2>&1 | grep -v -e propagateSizeHints -e "Maximum amount of warnings"
