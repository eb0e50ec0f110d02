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
command -v xvfb-run >/dev/null || skip "xvfb-run is not installed (xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (dbus-daemon)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the accessibility bus is not installed (at-spi2-core)"
"$python" -c "import pyatspi" 2>/dev/null || skip "pyatspi is not installed (python3-pyatspi)"

status=0
for language in 1 0; do
  xvfb-run -a -s "-screen 0 1280x800x24" \
    dbus-run-session -- "$python" "$here/accessible_tree.py" "$program" "$language" || status=$?
  [ "$status" -eq 0 ] || exit "$status"
done
