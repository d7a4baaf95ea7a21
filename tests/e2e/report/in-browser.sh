#!/usr/bin/env bash
# The HTML report in a real browser: headless chromium loads it without network,
# the screenshot shows the plot, and every figure on the page equals the JSON's.
set -euo pipefail
QUORVANE=${QUORVANE:?set QUORVANE to the program}
SHOTS=${SHOTS:-$PWD/e2e-screenshots}
here=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
mkdir -p "$SHOTS"
export TZ=UTC LC_ALL=C.UTF-8 HOME=$WORK/home
mkdir -p "$HOME"

"$here/make-log.py" "$WORK/Quorvane.txt"
"$QUORVANE" --report "$WORK/Quorvane.txt" -o "$WORK/report.html" || fail "HTML: status $?"
"$QUORVANE" --report "$WORK/Quorvane.txt" -o "$WORK/report.json" --format json ||
  fail "JSON: status $?"

browse() {
  timeout 90 chromium --headless=new --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync --disable-quic \
    --user-data-dir="$(mktemp -d -p "$WORK")" --window-size=1280,2600 "$@" \
    "file://$WORK/report.html" 2>>"$WORK/chromium.err"
}
browse --screenshot="$WORK/report.png" >/dev/null || fail "no screenshot: $(tail -3 "$WORK/chromium.err")"
cp "$WORK/report.png" "$SHOTS/report-in-browser.png"
browse --dump-dom >"$WORK/dom.html" || fail "no DOM: $(tail -3 "$WORK/chromium.err")"

# The plot's band (#9cc3ee) is drawn: a good many pixels of it in the screenshot.
band=$(convert "$WORK/report.png" -alpha off -fuzz 4% -fill black +opaque '#9cc3ee' \
  -fill white -opaque '#9cc3ee' -format '%[fx:round(mean*w*h)]' info:)
[ "$band" -gt 5000 ] || fail "the plot shows $band pixels of its colour"

python3 - "$WORK/dom.html" "$WORK/report.json" <<'PY' || fail "the page and the JSON differ"
import html.parser, json, sys

class Figures(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.figures, self.open, self.plots, self.scripts = {}, None, set(), 0
    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "script":
            self.scripts += 1
        if tag == "svg" and "data-plot" in attrs:
            self.plots.add(attrs["data-plot"])
        if "data-figure" in attrs:
            if "data-value" in attrs:
                self.figures[attrs["data-figure"]] = attrs["data-value"]
            else:
                self.open, self.text = attrs["data-figure"], ""
    def handle_data(self, data):
        if self.open:
            self.text += data
    def handle_endtag(self, tag):
        if self.open:
            self.figures[self.open], self.open = self.text.strip(), None

page = Figures()
page.feed(open(sys.argv[1]).read())
report = json.load(open(sys.argv[2]))
assert page.scripts == 0, "the page has a script"
assert page.plots == {"method1", "method2"}, page.plots
for path, shown in page.figures.items():
    value = report
    for key in path.split("."):
        value = value[int(key)] if isinstance(value, list) else value[key]
    same = float(shown) == float(value) if isinstance(value, (int, float)) else shown == value
    assert same, f"{path}: the page shows {shown}, the JSON holds {value}"
assert len(page.figures) > 60, len(page.figures)
print(f"{len(page.figures)} figures on the page equal the JSON's")
PY
echo "PASSED"
