#!/usr/bin/env bash
# Whole-program figures of Quorvane beside the bare Qt tray program, in a private
# X server with a window manager and a tray: time from launch to the first paint
# (median of several launches), resident memory and CPU time per minute at the
# one-second interval with Method #2, shown and hidden in the tray, and the size
# of the Qt libraries and plugins Quorvane loads.
# Prints key=value lines.
#   measure-programs.sh QUORVANE BARE_TRAY [minutes]
set -euo pipefail
QUORVANE=$1
BARE=$2
MINUTES=${3:-10}
LAUNCHES=${LAUNCHES:-9}
export QUORVANE SHOTS=${SHOTS:-/tmp}
source "$(dirname "$0")/../tests/e2e/e2e-lib.sh"
e2e_start_desktop

# A home, settings and runtime folder for one copy of Quorvane.
prepare_home() {
  local home=$WORK/$1
  mkdir -p "$home/.config/Brindlewick" "$home/temp"
  mkdir -m 700 -p "$home/runtime"
  shift
  printf '[Quorvane]\n' >"$home/.config/Brindlewick/Quorvane.ini"
  printf '%s\n' "$@" >>"$home/.config/Brindlewick/Quorvane.ini"
  echo "$home"
}

# Starts a program in the background with that home; PID is its process id.
start_in() {
  local home=$1
  shift
  env HOME="$home" XDG_CONFIG_HOME="$home/.config" TEMP="$home/temp" \
    XDG_RUNTIME_DIR="$home/runtime" "$@" &
  PID=$!
  PIDS+=($PID)
}

median() { sort -n | awk '{v[NR]=$1} END{print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }

first_paint() {  # program, home
  local program=$1 home=$2 out=$WORK/paint.out
  local -a measured=()
  for _ in $(seq "$LAUNCHES"); do
    : >"$out"
    start_in "$home" QUORVANE_LAUNCHED_AT_NS="$(date +%s%N)" "$program" >"$out" 2>/dev/null
    wait_for 10 grep -q first-paint-ms "$out" || { echo "no first paint: $program" >&2; exit 1; }
    measured+=("$(awk '/first-paint-ms/{print $2}' "$out")")
    kill "$PID"
    wait "$PID" 2>/dev/null || true
  done
  printf '%s\n' "${measured[@]}" | median
}

paint_home=$(prepare_home paint "StartStopState=Off")
echo "first_paint_ms.quorvane=$(first_paint "$QUORVANE" "$paint_home")"
echo "first_paint_ms.bare=$(first_paint "$BARE" "$paint_home")"

resident_kb() { awk '/^VmRSS:/{print $2}' "/proc/$1/status"; }
cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }

# Four programs side by side for the whole run.
method2="OftenIndex=1 Option1=False Option2=True"
shown_home=$(prepare_home shown $method2)
hidden_home=$(prepare_home hidden $method2)
declare -A pids
start_in "$shown_home" "$QUORVANE" >/dev/null 2>&1
pids[quorvane_shown]=$PID
start_in "$hidden_home" "$QUORVANE" >/dev/null 2>&1
pids[quorvane_hidden]=$PID
start_in "$WORK" "$BARE" >/dev/null 2>&1
pids[bare_shown]=$PID
start_in "$WORK" BARE_HIDDEN=1 "$BARE" >/dev/null 2>&1
pids[bare_hidden]=$PID
# Both go to the tray a moment after they were shown, as a user would send them.
wait_for 10 main_window_shown
hidden_window=$(xwininfo -root -tree | awk -v pid="${pids[quorvane_hidden]}" '
  /"Quorvane": \("quorvane" "Quorvane"\)  536x570/ {print $1}' | while read -r id; do
  if [ "$(xprop -id "$id" _NET_WM_PID | awk '{print $3}')" = "${pids[quorvane_hidden]}" ]; then
    echo "$id"
  fi
done)
[ -n "$hidden_window" ] || { echo "the window to hide was not found" >&2; exit 1; }
sleep 2
xdotool windowminimize "$hidden_window"

sleep 60  # past start-up
# What a Qt deployment of Quorvane holds: the Qt libraries and plugins the running
# program has loaded (what ldd lists, and the platform plugin with its own
# libraries, the image formats and input contexts).
qt_files() { awk '$6 ~ /\/libQt6[^/]*$|\/qt6\/plugins\// {print $6}' "/proc/$1/maps" | sort -u; }
echo "qt_deployment_files=$(qt_files "${pids[quorvane_shown]}" | wc -l)"
echo "qt_deployment_bytes=$(qt_files "${pids[quorvane_shown]}" | xargs stat -L -c %s |
  awk '{sum += $1} END {print sum}')"
declare -A rss_start cpu_start samples
for name in "${!pids[@]}"; do
  rss_start[$name]=$(resident_kb "${pids[$name]}")
  cpu_start[$name]=$(cpu_ns "${pids[$name]}")
  samples[$name]=""
done
for _ in $(seq $(((MINUTES - 1) * 4))); do
  sleep 15
  for name in "${!pids[@]}"; do samples[$name]+="$(resident_kb "${pids[$name]}") "; done
done
for name in "${!pids[@]}"; do
  pid=${pids[$name]}
  rss_end=$(resident_kb "$pid")
  cpu_end=$(cpu_ns "$pid")
  echo "rss_median_kb.$name=$(printf '%s\n' ${samples[$name]} | median)"
  echo "rss_growth_kb.$name=$((rss_end - ${rss_start[$name]}))"
  echo "cpu_ms_per_minute.$name=$(awk -v a="${cpu_start[$name]}" -v b="$cpu_end" -v m="$((MINUTES - 1))" \
    'BEGIN{printf "%.1f", (b - a) / 1e6 / m}')"
done
echo "lines_logged.quorvane_shown=$(wc -l <"$shown_home/temp/Quorvane.txt")"
echo "lines_logged.quorvane_hidden=$(wc -l <"$hidden_home/temp/Quorvane.txt")"
echo "minutes=$MINUTES"
