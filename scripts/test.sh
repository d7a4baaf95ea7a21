#!/usr/bin/env bash
# Installs what is missing, builds Quorvane with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh test
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
cmake --preset ci >/dev/null
cmake --build --preset ci -j"$(nproc)"
ctest --preset ci -j"$(nproc)"

# The Windows layer: cross-compiled with mingw-w64, tested under Wine in a prefix
# of the build's own.
export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1 </dev/null && wineserver -w; }
status=0
ctest --preset windows -j"$(nproc)" || status=$?
wineserver -k 2>/dev/null || true
exit $status
