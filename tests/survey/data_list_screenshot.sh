#!/usr/bin/env bash
# Shows the data list of Vornet.exe started with two survey-record files on the session's
# display, saves a screenshot and the control list, then closes it with Exit.
# Runs inside tools/wine-session.sh.
# usage: data_list_screenshot.sh VORNET_EXE UIDRIVER_EXE SURVEY_FILE OUTPUT_FOLDER
set -euo pipefail
vornet=$1 uidriver=$2 survey=$3 out=$4
mkdir -p "$out"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$vornet" "$folder/Vornet.exe"
cp "$survey" "$folder/garden.svy"
cp "$survey" "$folder/春の調査.svy"

(cd "$folder" && wine Vornet.exe garden.svy 春の調査.svy </dev/null >/dev/null 2>&1) &
vornet_pid=$!
caption="データリスト"
wine "$uidriver" wait "$caption" </dev/null
wine "$uidriver" controls "$caption" </dev/null | iconv -f CP932 -t UTF-8 >"$out/data-list-controls.txt"
import -window root "$out/data-list-dialog.png"
wine "$uidriver" click "$caption" 1 </dev/null
wait "$vornet_pid"
echo "screenshot: $out/data-list-dialog.png"
