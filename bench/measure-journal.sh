#!/usr/bin/env bash
# The report of a year's journal at a 5-second interval (6.3 million records) beside
# the system's own line count (wc -l) of the files it reads, the journal's month
# files and the history log of the same samples, by the same page cache, in the same
# run; and the report and the CSV export with the journal beside the same without
# a journal. Prints key=value lines for print-table.py.
#   measure-journal.sh QUORVANE REPORT_LOG [RECORDS]
set -euo pipefail
quorvane=$1 report_log=$2 records=${3:-6307200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TZ=UTC LC_ALL=C.UTF-8 TEMP=$work XDG_DATA_HOME=$work/data
journal=$XDG_DATA_HOME/quorvane/journal
mkdir -p "$journal"
"$report_log" generate "$work/Quorvane.txt" "$records" "$journal"
echo "journal_records=$records"
echo "journal_bytes=$(cat "$journal"/*.csv | wc -c)"
echo "journal_files=$(ls "$journal" | wc -l)"
echo "journal_log_bytes=$(stat -c %s "$work/Quorvane.txt")"

measure() { /usr/bin/time -f "%e %M %U %S" -o "$work/time" "$@" >"$work/out" && cat "$work/time"; }
sync
sleep 5
wc -l "$journal"/*.csv "$work/Quorvane.txt" >/dev/null  # into the page cache

floor=() journal_floor=() report=() csv=() plain_report=() plain_csv=()
for round in 1 2 3; do
  floor+=("$(measure wc -l "$journal"/*.csv "$work/Quorvane.txt")")
  journal_floor+=("$(measure wc -l "$journal"/*.csv)")
  report+=("$(measure "$quorvane" --report "$work/Quorvane.txt" -o "$work/report.html")")
  csv+=("$(measure "$quorvane" --report "$work/Quorvane.txt" -o "$work/export.csv" --format csv)")
  csv_bytes=$(stat -c %s "$work/export.csv")
  rm -f "$work/export.csv"
  # The same report and export without a journal: the folder out of the way.
  mv "$journal" "$work/journal.aside"
  plain_report+=("$(measure "$quorvane" --report "$work/Quorvane.txt" -o "$work/plain.html")")
  plain_csv+=("$(measure "$quorvane" --report "$work/Quorvane.txt" -o "$work/export.csv" --format csv)")
  rm -f "$work/export.csv"
  mv "$work/journal.aside" "$journal"
done
middle_s() { printf '%s\n' "$@" | sort -n | sed -n 2p | cut -d' ' -f1; }  # of three runs
peak_kb() { printf '%s\n' "$@" | cut -d' ' -f2 | sort -n | tail -1; }
cat <<FIGURES
journal_floor_s=$(middle_s "${floor[@]}")
journal_files_floor_s=$(middle_s "${journal_floor[@]}")
journal_report_s=$(middle_s "${report[@]}")
journal_report_rss_kb=$(peak_kb "${report[@]}")
journal_csv_s=$(middle_s "${csv[@]}")
journal_csv_rss_kb=$(peak_kb "${csv[@]}")
journal_csv_bytes=$csv_bytes
plain_report_s=$(middle_s "${plain_report[@]}")
plain_csv_s=$(middle_s "${plain_csv[@]}")
FIGURES
# The journal's outages in the report, so a run that lost them shows.
grep -c '<h3>For your provider</h3>' "$work/report.html" | sed 's/^/journal_report_sections=/'
