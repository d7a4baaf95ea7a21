#!/usr/bin/env bash
# The window as a screen reader reads it: Quorvane on a session bus with the
# accessibility bus, its tree read through AT-SPI. Every control has its role and
# a name that says what it is, and the history's lines are the list's items.
# (Debian's python3, where python3-pyatspi lives.)
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop

# A session bus of the test's own, and the accessibility bus beside it, on which
# Qt's bridge is switched on.
dbus-daemon --session --nofork --nopidfile --print-address=5 5>"$WORK/bus" >/dev/null 2>&1 &
PIDS+=($!)
wait_for 10 test -s "$WORK/bus" || fail "no session bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus")
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
PIDS+=($!)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=1

e2e_fake_nmcli " :48\n*:64\n"
e2e_settings OftenIndex=1  # a sample every second
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
wait_for 10 has_log_lines 3 || fail "no three samples"
# The switch turned off keeps a fourth sample from racing the reading below.
W=$(main_window)
click_twips "$W" 120 6225 3840 405  # "Turn Off Automatic Log"
sleep 1
LINES=$(head -n3 "$LOG")

/usr/bin/python3 - "$LINES" >"$WORK/tree.txt" 2>"$WORK/tree.err" <<'PY' || fail "reading the tree: $(cat "$WORK/tree.err"); the tree read: $(cat "$WORK/tree.txt")"
import sys
import pyatspi

expected_lines = sys.argv[1].split("\n")
desktop = pyatspi.Registry.getDesktop(0)
app = next((a for a in desktop if a is not None and a.name.lower() == "quorvane"), None)
if app is None:
    sys.exit("no application named quorvane on the accessibility bus")
frame = next((w for w in app if w.name == "Quorvane" and w.getRoleName() == "frame"), None)
if frame is None:
    sys.exit("no frame named Quorvane: %r" % [(w.getRoleName(), w.name) for w in app])

def walk(node, depth=0):
    for child in node:
        if child is None:
            continue
        print("%s%s | %s" % ("  " * depth, child.getRoleName(), child.name))
        if child.getRoleName() not in ("list", "tree table", "table", "tree"):
            walk(child, depth + 1)

walk(frame)
def find(role, name):
    found = pyatspi.findDescendant(frame, lambda n: n.getRoleName() == role and n.name == name)
    if found is None:
        sys.exit("no %s named %r" % (role, name))
    return found

for role, name in [
    ("push button", "Turn On Automatic Log"), ("push button", "Log Current Status Now (Test)"),
    ("push button", "View History Log"), ("push button", "Copy History To Clipboard"),
    ("push button", "Help"), ("push button", "Clear History Log"), ("push button", "?"),
    ("radio button", "Method #1"),
    ("radio button", "Method #2"), ("tree", "How often would you like to log WiFi signal strength?"),
]:
    find(role, name)
box = pyatspi.findDescendant(frame, lambda n: n.getRoleName() == "check box")
if box is None or not box.name.startswith("Load this software "):
    sys.exit("start-up box named %r" % (box and box.name))
# The bar is named by the countdown its frame shows.
bar = pyatspi.findDescendant(frame, lambda n: n.getRoleName() == "progress bar")
if bar is None or not bar.name or bar.name != bar.parent.name:
    sys.exit("progress bar named %r" % (bar and bar.name))
history = find("list", "WiFi Signal Strength Status")
rows = [history.getChildAtIndex(i) for i in range(history.childCount)]
texts = [row.name for row in rows]
if texts[:3] != expected_lines or any(r.getRoleName() != "list item" for r in rows):
    sys.exit("history items %r, expected %r" % (texts, expected_lines))
print("history:", texts)
PY
shot screen-reader-tree
echo "screen reader reads the window: ok"
