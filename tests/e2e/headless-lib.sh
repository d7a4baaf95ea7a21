# Sourced by the tests that start Quorvane without a display: no display, no
# session bus, and every folder in the test's own WORK folder, with a fake nmcli
# that answers with a signal of 70 %.
headless_environment() {
  local work=$1
  unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TEMP=$work/temp
  export XDG_RUNTIME_DIR=$work/runtime PATH=$work/bin:$PATH
  mkdir -p "$HOME" "$TEMP" "$work/bin"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  printf '#!/bin/sh\nprintf "*:70\\n"\n' >"$work/bin/nmcli"
  chmod +x "$work/bin/nmcli"
}
