#!/usr/bin/env bash
# Installs the Debian packages Quorvane needs that are not installed yet.
#   install-packages.sh run    what building and running needs
#   install-packages.sh test   that, and what the tests need
#   install-packages.sh bench  that, and what the benchmarks need
set -euo pipefail

run_packages=(
  cmake make g++ pkg-config  # cmake only recommends make, and recommends are not installed
  qt6-base-dev qt6-qpa-plugins qt6-wayland libnl-genl-3-dev
  fonts-liberation    # metric-compatible stand-in for Arial
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev clang-format
  clang libclang-rt-14-dev                             # sanitizers and fuzzers
  xvfb xauth x11-utils xdotool openbox trayer imagemagick xclip desktop-file-utils
  g++-mingw-w64-x86-64-posix wine wine64 googletest   # the Windows layer, under Wine
  nsis                                                 # the Windows installer
  locales                                              # dates in the users' formats
  dbus-daemon dbus-bin systemd sway waybar mako-notifier grim xwayland kwin-wayland
                                                       # Wayland desktops, tray over D-Bus
  dunst                                                # a notification server on X11
  dpkg-dev lintian                                     # the Debian package
  chromium python3                                     # the report in a browser, its CSV read back
  prometheus prometheus-node-exporter curl             # the metrics file, scraped for real
  at-spi2-core python3-pyatspi                         # the window read as a screen reader reads it
  iproute2 iputils-ping                                # network namespaces of the probe tests
)

bench_packages=(
  libbenchmark-dev python3
  xvfb xauth x11-utils xdotool openbox trayer imagemagick
  g++-mingw-w64-x86-64-posix wine wine64   # Quorvane.exe and its benchmarks, under Wine
  nsis                                     # configuring the Windows build looks for makensis
)

wanted=("${run_packages[@]}")
if [ "${1:-run}" = test ]; then wanted+=("${test_packages[@]}"); fi
if [ "${1:-run}" = bench ]; then wanted+=("${bench_packages[@]}"); fi

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Windows tests format dates as an American, a German and a Greek user would
# see them (Wine takes its locale from the host's).
if [ "${1:-run}" = test ] && ! { locale -a | grep -qx en_US.utf8 && locale -a | grep -qx de_DE.utf8 &&
  locale -a | grep -qx el_GR.utf8; }; then
  "${as_root[@]}" sed -i -E 's/^# *((en_US|de_DE|el_GR)\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  "${as_root[@]}" locale-gen >/dev/null
fi
