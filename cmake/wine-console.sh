#!/usr/bin/env bash
# Runs a Windows program under wine with a console of its own: wine gives a
# program a console only on a terminal, so the program runs on a fresh
# pseudo-terminal of 80 x 25 (script), its output and exit code come back
# here. WINE names the runner (default /usr/lib/wine/wine64); WINEPREFIX
# should name a prefix made for the run.
set -u
wine=${WINE:-/usr/lib/wine/wine64}
export WINEDEBUG=${WINEDEBUG:--all}
log=$(mktemp)
# The terminal's input stays open and silent while the program runs: at the
# end of its input, script would type a byte into the console.
exec 3< <(exec sleep 86400)
keeper=$!
trap 'kill "$keeper" 2>/dev/null; rm -f "$log"' EXIT
command=$(printf '%q ' "$wine" "$@")
script -qec "stty cols 80 rows 25; exec $command >$(printf '%q' "$log") 2>&1" /dev/null <&3 >/dev/null
status=$?
cat "$log"
exit $status
