#!/usr/bin/env bash
# The signal report of a 1 GB history log (20 million lines) beside the floor of any
# report: the system's own line count (wc -l) of the same file, by the same page
# cache, in the same run; and the CSV export beside that count plus writing as many
# bytes as the export into the page cache (head -c). Prints key=value lines for
# print-table.py.
#   measure-report.sh QUORVANE REPORT_LOG [LINES]
set -euo pipefail
quorvane=$1 report_log=$2 lines=${3:-20000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TZ=UTC LC_ALL=C.UTF-8 TEMP=$work
"$report_log" generate "$work/Quorvane.txt" "$lines"
echo "log_bytes=$(stat -c %s "$work/Quorvane.txt")"
echo "log_lines=$lines"

# Seconds, peak resident memory (kB) and CPU seconds of one command.
measure() { /usr/bin/time -f "%e %M %U %S" -o "$work/time" "$@" >"$work/out" && cat "$work/time"; }

# The new log on the disk before anything is measured, and each export deleted as
# soon as it is measured: the kernel writing files back meanwhile would take the
# cores (and this machine's host) from what is measured.
sync
sleep 5

wc -l "$work/Quorvane.txt" >/dev/null  # into the page cache
# The export's size, for the floor that writes as much.
"$quorvane" --report "$work/Quorvane.txt" -o "$work/export.csv" --format csv
csv_bytes=$(stat -c %s "$work/export.csv")
rm -f "$work/export.csv"
floor=() report=() csv=() written=() export_floor=()
for round in 1 2 3 4 5; do
  floor+=("$(measure wc -l "$work/Quorvane.txt")")
  report+=("$(measure "$quorvane" --report "$work/Quorvane.txt" -o "$work/report.html")")
  csv+=("$(measure "$quorvane" --report "$work/Quorvane.txt" -o "$work/export.csv" --format csv)")
  rm -f "$work/export.csv"
  written+=("$(measure sh -c 'head -c "$1" /dev/zero >"$2"' sh "$csv_bytes" "$work/zero.csv")")
  rm -f "$work/zero.csv"
  # This round's line count and write, together.
  export_floor+=("$(awk -v a="${floor[-1]%% *}" -v b="${written[-1]%% *}" 'BEGIN {print a + b}')")
done
pick() { printf '%s\n' "$@" | sort -n | sed -n 3p; }  # the middle of five runs
cpu() { awk '{printf "%.2f", $3 + $4}'; }
echo "floor_s=$(pick "${floor[@]}" | cut -d' ' -f1)"
echo "floor_cpu_s=$(pick "${floor[@]}" | cpu)"
echo "write_s=$(pick "${written[@]}" | cut -d' ' -f1)"
echo "export_floor_s=$(pick "${export_floor[@]}")"
echo "report_s=$(pick "${report[@]}" | cut -d' ' -f1)"
echo "report_cpu_s=$(pick "${report[@]}" | cpu)"
echo "csv_bytes=$csv_bytes"
echo "report_rss_kb=$(printf '%s\n' "${report[@]}" | cut -d' ' -f2 | sort -n | tail -1)"
echo "csv_s=$(pick "${csv[@]}" | cut -d' ' -f1)"
echo "csv_rss_kb=$(printf '%s\n' "${csv[@]}" | cut -d' ' -f2 | sort -n | tail -1)"
echo "html_bytes=$(stat -c %s "$work/report.html")"
