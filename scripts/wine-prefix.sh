#!/usr/bin/env bash
# Prepares the Wine prefix $WINEPREFIX once: a first Wine start takes seconds,
# which must not happen inside a timed test or under a waiting user. A prefix
# whose preparation was interrupted has no stamp and is prepared again.
set -euo pipefail

: "${WINEPREFIX:?set WINEPREFIX to the prefix to prepare}"
stamp="$WINEPREFIX/.pinball-prefix-ready"
[ -f "$stamp" ] && exit 0

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"  # no Mono or Gecko installer
mkdir -p "$(dirname "$WINEPREFIX")"
# A 64-bit-only Wine notes that it cannot run 32-bit helpers; that is harmless here.
wineboot -i >/dev/null 2>&1 || true
wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "wine-prefix.sh: wineboot made no prefix" >&2; exit 1; }
touch "$stamp"
echo "Wine prefix ready: $WINEPREFIX"
