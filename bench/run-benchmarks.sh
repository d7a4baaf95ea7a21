#!/usr/bin/env bash
# Builds Quorvane optimised, runs every benchmark and prints one table: each
# figure beside its reference measured in the same run, the ratio and the goal.
#   bench/run-benchmarks.sh [minutes for the whole-program run, default 10]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-10}

scripts/install-packages.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j"$(nproc)" >/dev/null
# Quorvane.exe as the windows preset builds it, and the Win32 window's benchmarks.
cmake --preset bench-windows >/dev/null
cmake --build --preset bench-windows -j"$(nproc)" --target Quorvane win32_benchmarks >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
echo "In-process benchmarks..." >&2
build-bench/bench/sampling_benchmarks --benchmark_out="$out/sampling.json" \
  --benchmark_out_format=json >&2
# The copy's peak memory is measured in a fresh process, before anything else
# has grown the heap.
build-bench/bench/window_benchmarks --benchmark_filter='Copy|Read' \
  --benchmark_out="$out/copy.json" --benchmark_out_format=json >&2 2> >(grep -v '^qt\.' >&2)
build-bench/bench/window_benchmarks --benchmark_filter='-Copy|Read' \
  --benchmark_out="$out/window.json" --benchmark_out_format=json >&2 2> >(grep -v '^qt\.' >&2)
echo "The Windows program under Wine..." >&2
bench/measure-windows.sh build-bench-windows >"$out/windows.txt"
echo "The signal report of a 1 GB log..." >&2
bench/measure-report.sh build-bench/app/quorvane build-bench/bench/report_log >"$out/report.txt"
echo "The report of a year's journal..." >&2
bench/measure-journal.sh build-bench/app/quorvane build-bench/bench/report_log >"$out/journal.txt"
echo "The probes' CPU time, inside network namespaces of the benchmark's own..." >&2
bench/measure-probes.sh build-bench/app/quorvane >"$out/probes.txt"
echo "The whole programs, side by side for $minutes minutes..." >&2
bench/measure-programs.sh build-bench/app/quorvane build-bench/bench/bare_tray "$minutes" \
  >"$out/programs.txt"
echo
echo "Machine: $(nproc) cores, $(awk '/MemTotal/{printf "%.0f GiB", $2/1048576}' /proc/meminfo)," \
  "$(awk -F': ' '/model name/{print $2; exit}' /proc/cpuinfo), $(uname -sr)"
echo "The Windows program's figures under $(sed -n 's/^wine=//p' "$out/windows.txt") in Xvfb"
echo
bench/print-table.py "$out/sampling.json" "$out/window.json" "$out/copy.json" "$out/programs.txt" \
  "$out/windows.txt" "$out/report.txt" "$out/journal.txt" "$out/probes.txt" |
  tee "$out/table.md"
cp "$out"/*.json "$out"/*.txt "$out/table.md" "${BENCH_RESULTS:-build-bench}/" 2>/dev/null || true
