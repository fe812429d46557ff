#!/usr/bin/env bash
# Shows Vornet's dialog on the session's display, saves a screenshot of the screen and the
# dialog's control list, then cancels it. Runs inside tools/wine-session.sh.
# usage: dialog_screenshot.sh VORNET_EXE UIDRIVER_EXE OUTPUT_FOLDER
set -euo pipefail
vornet=$1 uidriver=$2 out=$3
mkdir -p "$out"
exchange=$(mktemp -d)
trap 'rm -rf "$exchange"' EXIT
cp "$vornet" "$exchange/Vornet.exe"

(cd "$exchange" && wine Vornet.exe </dev/null >/dev/null 2>&1) &
vornet_pid=$!
caption="Marbelo Conduit"
wine "$uidriver" wait "$caption" </dev/null
wine "$uidriver" controls "$caption" </dev/null | iconv -f CP932 -t UTF-8 >"$out/vornet-controls.txt"
import -window root "$out/vornet-dialog.png"
wine "$uidriver" click "$caption" 2 </dev/null
wait "$vornet_pid"
[ -f "$exchange/dum.dat" ] || { echo "no cancel marker after Cancel" >&2; exit 1; }
echo "screenshot: $out/vornet-dialog.png"
