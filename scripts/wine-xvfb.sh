#!/usr/bin/env bash
# Runs a command with a virtual X display of its own: Xvfb on a free display
# number, DISPLAY set for the command. When the command ends, every Wine process
# of $WINEPREFIX is ended, then the display; the command's exit code is kept.
# XVFB_SCREEN sets the screen (default 1024x768x24).
#   wine-xvfb.sh COMMAND [ARGS...]      e.g. wine-xvfb.sh wine build/windows/pinball.exe
set -uo pipefail

[ $# -ge 1 ] || { echo "usage: wine-xvfb.sh COMMAND [ARGS...]" >&2; exit 2; }
# Named, so that the clean-up never ends the Wine processes of another prefix.
: "${WINEPREFIX:?set WINEPREFIX to the Wine prefix the command uses}"

display_file=$(mktemp)
xvfb_pid=""
cleanup() {
  # Wine first, so that no Wine process sees its display go away.
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -f "$display_file"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# -displayfd picks a free display number and writes it once the server accepts clients.
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "wine-xvfb.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$display_file" ] || { echo "wine-xvfb.sh: Xvfb gave no display within 10 s" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

"$@"
