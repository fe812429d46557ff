#!/usr/bin/env bash
# A retrieval from end to end: hotsync.exe loads Dalvex.dll, which starts Vornet.exe; the UI
# driver clicks the hidden command, the conduit copies the handheld's records into record
# files, and Vornet's wait ends on the retrieval-done marker while its dialog stays for the
# user. Old record files and a stale marker from an earlier retrieval are in the folder.
# Runs inside tools/wine-session.sh.
# usage: hotsync_retrieval_end_to_end.sh BUILD_DIR
set -euo pipefail
build=$1
retrieve_tests=$(cd "$(dirname "$0")/../conduit/retrieve" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/host/handheld" "$work/conduit"
cp "$build/platform/hotsync/hotsync.exe" "$build/platform/sync20/SYNC20.dll" \
   "$build/platform/hslog/HSLOG20.dll" "$work/host/"
cp "$build/conduit/Dalvex.dll" "$build/companion/Vornet.exe" "$work/conduit/"
perl "$retrieve_tests/make_pdb.pl" "$work/host/handheld/KifuRecords.pdb" KifuRecords 10 0 7 3
for n in 000 001 002 003 005; do echo "old $n" > "$work/conduit/PMData.$n"; done
touch "$work/conduit/HH2PC.dat"

fail() { echo "FAILED: $*" >&2; exit 1; }
win() { winepath -w "$1" 2>/dev/null; }
uidriver="$build/tests/uidriver/uidriver.exe"
drive() { wine "$uidriver" "$@" </dev/null; }

(cd "$work/host" && wine hotsync.exe sync --conduit "$(win "$work/conduit/Dalvex.dll")" \
   </dev/null >"$work/hotsync.out" 2>&1; echo $? >"$work/hotsync.rc") &
host=$!
drive wait "Marbelo Conduit"
drive click "Marbelo Conduit" 1001
wait "$host"
sed 's/^/  /' "$work/hotsync.out"
[ "$(cat "$work/hotsync.rc")" = 0 ] || fail "hotsync.exe did not succeed"
[ -e "$work/conduit/HH2PC.dat" ] || fail "no retrieval-done marker"

# The records of 10, 0, 7 and 3 bytes give three dense files; the old 003 went with the
# clearing, the old 005 after the gap stays as it was.
perl "$retrieve_tests/check_record_files.pl" "$work/host/handheld/KifuRecords.pdb" "$work/conduit" \
  || fail "record files differ from the handheld database"
[ "$(cat "$work/conduit/PMData.005")" = "old 005" ] || fail "the record file after the gap changed"

# Vornet's wait has ended: the dialog is still there for the user, the command disabled.
controls=$(drive controls "Marbelo Conduit")
printf '%s\n' "$controls" | grep -q $'^1001\tButton\thidden\tdisabled' \
  || fail "button 1001 is not disabled after the retrieval: $controls"
drive click "Marbelo Conduit" 2
gone=""
for _ in $(seq 120); do
  UIDRIVER_TIMEOUT_MS=250 drive wait "Marbelo Conduit" 2>/dev/null || { gone=yes; break; }
  sleep 0.5
done
[ -n "$gone" ] || fail "Vornet's dialog did not end on Cancel"
[ -e "$work/conduit/dum.dat" ] || fail "no cancel marker after Cancel"
echo "retrieval end to end: 3 record files, marker made, Vornet's wait ended"
