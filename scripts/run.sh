#!/usr/bin/env bash
# Opens the program: under Wine on Linux, natively on Windows. On a machine
# with no display it runs the program for a few seconds on a virtual one
# (Xvfb) and saves a screenshot instead, so that it can still be seen.
set -euo pipefail
cd "$(dirname "$0")/.."

exe=build/windows/pinball.exe
[ -f "$exe" ] || { echo "run.sh: no $exe yet: 'make run' builds it first" >&2; exit 1; }

case "$(uname -s)" in
  MINGW* | MSYS* | CYGWIN*) exec "$exe" ;;
esac

# A prefix of the build's own, apart from the tests' and from ~/.wine.
export WINEPREFIX="$PWD/build/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/.pinball-prefix-ready" ]; then
  echo "Preparing a Wine prefix in $WINEPREFIX (first run only, about 15 seconds)..."
  scripts/wine-prefix.sh >/dev/null
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe"
fi

echo "No display here: running the program for a few seconds on a virtual display (Xvfb)..."
scripts/wine-xvfb.sh scripts/wine-screenshot.sh "$exe" build/screenshot.png 3
echo "The program ran and closed cleanly. Screenshot of its window: build/screenshot.png"
