#!/usr/bin/env bash
# Starts the program on its own Xvfb with a D-Bus session and the accessibility bus,
# once per language, and walks what a screen reader sees (accessible_tree.py).
# Exit 77 (skipped) when one of them is not there.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
python=/usr/bin/python3

skip() {
  echo "SKIP: $1" >&2
  exit 77
}
command -v Xvfb >/dev/null || skip "Xvfb is not installed (xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (dbus-daemon)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the accessibility bus is not installed (at-spi2-core)"
"$python" -c "import pyatspi" 2>/dev/null || skip "pyatspi is not installed (python3-pyatspi)"

# An X server of its own on the first free display: it writes the display's number
# once it takes connections, and with -noreset it does not start over (refusing
# connections meanwhile) when the first language's program has left.
folder="$(mktemp -d)"
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$folder/display" 2>"$folder/xvfb.log" &
server=$!
for _ in $(seq 100); do
  [ -s "$folder/display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
[ -s "$folder/display" ] || skip "Xvfb did not start: $(tail -1 "$folder/xvfb.log")"
export DISPLAY=":$(cat "$folder/display")"

for language in 1 0; do
  dbus-run-session -- "$python" "$here/accessible_tree.py" "$program" "$language"
done
