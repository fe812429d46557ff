#!/usr/bin/env bash
# Runs a command with a persistent wineserver for the prefix and an Xvfb display, and stops
# both afterwards (only this prefix's server). usage: wine-session.sh PREFIX COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-prefix.sh" "$1"
source "$here/wine-env.sh" "$1"
shift

xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${MARBELO_KEEP_DISPLAY:-}" ]; then
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r display <"$fifo"; rm -f "$fifo"
  export DISPLAY=":$display"
fi

wineserver -p
# The warm-up needs its standard streams on /dev/null, or the first test can hang.
wine cmd /c exit </dev/null >/dev/null 2>&1
"$@"
