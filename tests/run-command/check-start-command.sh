#!/usr/bin/env bash
# Proves the start command on its own, as on a fresh machine with only the run
# packages: configures the way scripts/start.sh does while GoogleTest and Google
# Benchmark are invisible to CMake, then lets scripts/start.sh build and start
# Quorvane without a display, in folders of its own with a fake nmcli, and waits
# for the first line of the history log.
set -euo pipefail
cd "$(dirname "$0")/../.."
TIMEOUT=${TIMEOUT:-30}

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  [ -f "$work/out" ] && sed 's/^/  start.sh: /' "$work/out" >&2
  exit 1
}

# A fresh cache, so that nothing found by an earlier configure hides a missing package.
cmake --preset run --fresh \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
  >"$work/configure.log" 2>&1 || {
  cat "$work/configure.log" >&2
  fail "the run preset needs more than the run packages"
}
cmake --build --preset run -j"$(nproc)" >"$work/build.log" 2>&1 || {
  tail -n 40 "$work/build.log" >&2
  fail "the run preset does not build"
}

# No display and no platform chosen: the program must pick the offscreen one itself.
source tests/e2e/headless-lib.sh
headless_environment "$work"
log=$TEMP/Quorvane.txt

# scripts/start.sh keeps the cached configuration above, finds nothing to build, and
# then is the program: the first sample comes after the default 5 seconds.
scripts/start.sh >"$work/out" 2>&1 &
pid=$!
deadline=$((SECONDS + TIMEOUT))
until [ -f "$log" ] && [ "$(wc -l <"$log")" -ge 1 ]; do
  kill -0 "$pid" 2>/dev/null || fail "scripts/start.sh ended before anything was logged"
  [ $SECONDS -lt $deadline ] || fail "nothing was logged within $TIMEOUT seconds"
  sleep 0.2
done
grep -qE '^[0-9/.-]+ [0-9:]+( [AP]M)? WiFi Signal Strength is 70%$' "$log" ||
  fail "unexpected log: $(cat "$log")"
grep -q 'No display found' "$work/out" || fail "the program did not say that it runs without a display"
# The program that logged is the one built above, without GoogleTest.
[ "$(readlink "/proc/$pid/exe")" = "$PWD/build-run/app/quorvane" ] ||
  fail "scripts/start.sh did not become build-run/app/quorvane but $(readlink "/proc/$pid/exe")"
echo "start command: built without GoogleTest, started headless, logged: $(head -n 1 "$log")"
