#!/usr/bin/env bash
# Runs each fuzzer for the given number of seconds (default 60), starting from the
# recorded tool outputs and the seeds beside this script, and prints how many
# inputs each one tried. Needs the "sanitize" preset built.
#   run-fuzzers.sh [seconds] [build folder]
set -euo pipefail
seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
build=${2:-$here/../../build-sanitize}
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT

declare -A seeds=(
  [Netsh]=$here/../fixtures/netsh
  [Nmcli]=$here/../fixtures/nmcli
  [Settings]=$here/seeds/settings
  [Nl80211]=$here/seeds/nl80211
)
for target in Netsh Nmcli Settings Nl80211; do
  [ -x "$build/tests/fuzz/fuzz_$target" ] || { echo "no fuzz_$target in $build: build the sanitize preset"; exit 1; }
done
# All at once: each fuzzer is a single process, and the machine's cores share them.
declare -A pids
for target in Netsh Nmcli Settings Nl80211; do
  mkdir -p "$corpus/$target" "$corpus/$target-crashes"
  cp "${seeds[$target]}"/* "$corpus/$target/"
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$corpus/$target-crashes/" "$corpus/$target" >"$corpus/$target.log" 2>&1 &
  pids[$target]=$!
done
status=0
for target in Netsh Nmcli Settings Nl80211; do
  if ! wait "${pids[$target]}"; then
    echo "fuzz_$target found a failure:"
    tail -n 40 "$corpus/$target.log"
    status=1
    continue
  fi
  runs=$(awk '/stat::number_of_executed_units/{print $2}' "$corpus/$target.log")
  echo "fuzz_$target: $runs inputs in $seconds s, no failure"
done
exit $status
