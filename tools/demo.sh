#!/usr/bin/env bash
# The main job, headless: install the conduit from dist/, then HotSyncs on the simulated
# handheld with the real companion program driven like a user would. Runs inside
# tools/wine-session.sh (one wineserver, one Xvfb display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win32
demo=$root/build/demo
uidriver=$build/tests/uidriver/uidriver.exe

rm -rf "$demo"
mkdir -p "$demo"
cp -r "$root/dist/conduit" "$demo/Shogi"
cp -r "$root/dist/hotsync" "$demo/HotSync"
shogi=$demo/Shogi
handheld=$demo/HotSync/handheld
mkdir -p "$handheld" "$demo/PC"
cp "$root/examples/sample.kif" "$demo/PC/"

# CONDMGR.dll lies with HotSync Manager: the installer finds it on the search path.
export WINEPATH
WINEPATH=$(winepath -w "$demo/HotSync")
win() { winepath -w "$1" 2>/dev/null; }
drive() { wine "$uidriver" "$@" </dev/null; }
# wine's own remark on the file dialog's look at drive Z: is not the system's output.
hotsync() { (cd "$demo/HotSync" && wine hotsync.exe "$@" </dev/null 2> >(grep -v '^wine: ' >&2)); }
section() { printf '\n== %s\n' "$*"; }

# Answers the installer's boxes as a user who wants the conduit (re)installed.
run_installer() {
  wine "$shogi/Installer.exe" </dev/null &
  local installer=$!
  while kill -0 "$installer" 2>/dev/null; do
    local box
    box=$(UIDRIVER_TIMEOUT_MS=5000 drive controls "Conduit Installer" 2>/dev/null) || continue
    printf '%s\n' "$box" | iconv -f CP932 -t UTF-8 | tr -d '\r' \
      | awk -F'\t' '$2 == "Static" && $7 != "" { print "  [message] " $7 }'
    if printf '%s\n' "$box" | grep -q $'^6\tButton'; then
      echo "  [answer] はい"
      drive click "Conduit Installer" 6
    else
      echo "  [answer] OK"
      drive click "Conduit Installer" 1
    fi
    sleep 1
  done
  wait "$installer" && echo "  Installer.exe exit code 0"
}

# One HotSync in which the user picks FILE in Vornet.exe.
sync_sending() {
  hotsync sync &
  local host=$!
  drive click "Marbelo Conduit" 1000
  drive openfile "Marbelo Conduit" "$(win "$1")"
  wait "$host"
}

section "Installing the conduit from $(basename "$shogi")\\ (Installer.exe)"
run_installer

section "hotsync info"
hotsync info

section "HotSync 1: the user picks examples/sample.kif in Vornet.exe"
sync_sending "$demo/PC/sample.kif"

section "hotsync list"
hotsync list

section "HotSync 2: the hidden command copies the handheld's records to the PC"
hotsync sync &
host=$!
drive click "Marbelo Conduit" 1001
for _ in $(seq 600); do [ -e "$shogi/HH2PC.dat" ] && break; sleep 0.2; done
drive click "Marbelo Conduit" 2
wait "$host"
echo "  record files in the exchange folder:"
for f in "$shogi"/PMData.*; do
  printf '    %s  %d bytes, header %s\n' "$(basename "$f")" "$(stat -c %s "$f")" \
    "$(head -c 28 "$f" | od -An -tx1 | tr -s ' \n' ' ')"
done

section "Switching the conduit off (hotsync configure, 使用停止)"
hotsync configure &
host=$!
drive click "将棋コンジット" 407
drive click "将棋コンジット" 1
wait "$host"

section "HotSync 3: the conduit is off, so it does nothing"
hotsync sync

section "HotSync 4: a file of 70000 bytes is too large for the handheld"
head -c 70000 /dev/urandom > "$demo/PC/large.bin"
sync_sending "$demo/PC/large.bin"

section "survey2csv examples/survey/garden.svy"
"$root/dist/native/survey2csv" "$root/examples/survey/garden.svy" | iconv -f CP932 -t UTF-8
