#!/usr/bin/env bash
# Installs the Debian packages Quorvane needs that are not installed yet.
#   install-packages.sh run    what building and running needs
#   install-packages.sh test   that, and what the tests need
set -euo pipefail

run_packages=(
  cmake g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libnl-genl-3-dev
  fonts-liberation    # metric-compatible stand-in for Arial
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev clang-format
  xvfb xauth x11-utils xdotool openbox trayer imagemagick xclip desktop-file-utils
)

wanted=("${run_packages[@]}")
if [ "${1:-run}" = test ]; then wanted+=("${test_packages[@]}"); fi

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
