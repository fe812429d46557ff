#!/usr/bin/env bash
# One HotSync on the simulated handheld for the demo: hotsync.exe sync with a conduit, then
# hotsync list of the handheld. The handheld is the folder "handheld" beside hotsync.exe.
# usage: demo_session.sh PREFIX HOTSYNC_FOLDER CONDUIT_DLL [more hotsync sync options...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../tools/wine-run.sh"
prefix=$1 folder=$2 conduit=$3
shift 3
cp "$conduit" "$folder/"
cd "$folder"
echo "== hotsync sync --conduit $(basename "$conduit") $*"
"$wine_run" "$prefix" hotsync.exe sync --conduit "$(basename "$conduit")" "$@" </dev/null
echo "== hotsync list"
"$wine_run" "$prefix" hotsync.exe list </dev/null
