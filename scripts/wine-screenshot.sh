#!/usr/bin/env bash
# Runs pinball.exe under Wine on the current X display for a few seconds,
# saves a screenshot of its window, then closes it as a user would (Alt+F4).
#   wine-screenshot.sh EXE PNG [SECONDS]
set -euo pipefail

exe=$1
png=$2
seconds=${3:-3}
caption='^Pinball Simulation$'

wine "$exe" &
pid=$!
window=""
for _ in $(seq 600); do  # a first Wine start can take a while
  window=$(xdotool search --onlyvisible --name "$caption" 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "pinball.exe ended before its window showed" >&2; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "pinball.exe showed no window within 60 s" >&2; kill "$pid"; exit 1; }

sleep "$seconds"
mkdir -p "$(dirname "$png")"
import -window "$window" "$png"
xdotool windowfocus --sync "$window" key alt+F4
wait "$pid"
