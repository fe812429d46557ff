#!/usr/bin/env bash
# Retrieves a handheld database written by Palm::PDB through hotsync.exe, the real Dalvex.dll
# and a scripted companion that asks for the records, and checks the record files and marker.
# usage: hotsync_retrieve_test.sh WORK   (with the BIN_* and PREFIX variables set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../send/hotsync_session.sh"
work=$1
rm -rf "$work"; mkdir -p "$work"
file_size() { stat -c %s "$1" 2>/dev/null || echo missing; }

lay_out "$work/r"
perl "$here/make_pdb.pl" "$work/r/handheld/KifuRecords.pdb" KifuRecords 10 0 7
cp "$work/r/handheld/KifuRecords.pdb" "$work/before.pdb"
ask_retrieval "$work/r"
run_session "$work/r"
check "records of 10, 0 and 7 bytes arrive as two record files" \
  perl "$here/check_record_files.pl" "$work/r/handheld/KifuRecords.pdb" "$work/r"
check "PMData.000 has 38 bytes" test "$(file_size "$work/r/PMData.000")" = 38
check "PMData.001 has 35 bytes" test "$(file_size "$work/r/PMData.001")" = 35
check "the retrieval-done marker is made" test -e "$work/r/HH2PC.dat"
check "the staging names are gone" test ! -e "$work/r/DateSync.dat" -a ! -e "$work/r/TMPdate.dat"
check "the handheld is unchanged" cmp -s "$work/before.pdb" "$work/r/handheld/KifuRecords.pdb"
check "a retrieval logs nothing" test ! -s "$work/r/handheld.log"

lay_out "$work/m"
# Every fifth record empty, the others of sizes up to 4000 bytes.
sizes=$(for i in $(seq 1 300); do if [ $((i % 5)) -eq 0 ]; then echo 0; else echo $((i * 211 % 4000 + 1)); fi; done)
perl "$here/make_pdb.pl" "$work/m/handheld/KifuRecords.pdb" KifuRecords $sizes
ask_retrieval "$work/m"
run_session "$work/m"
check "300 records with empty ones among them arrive byte for byte" \
  perl "$here/check_record_files.pl" "$work/m/handheld/KifuRecords.pdb" "$work/m"
check "and the marker follows" test -e "$work/m/HH2PC.dat"

while IFS='|' read -r fault line files; do
  lay_out "$work/f"
  perl "$here/make_pdb.pl" "$work/f/handheld/KifuRecords.pdb" KifuRecords 10 7 5 3
  ask_retrieval "$work/f"
  run_session "$work/f" --fault "$fault"
  check "$fault logs its line" test "$(log_lines "$work/f")" = "$(sjis "$line")"
  check "$fault leaves the record files so far" test "$(cd "$work/f" && echo $(ls | grep '^PMData\.'))" = "$files"
  check "$fault leaves no marker" test ! -e "$work/f/HH2PC.dat" -a ! -e "$work/f/DateSync.dat"
done <<'CASES'
open-database:1:0x3006|KifuRecords : データベースのオープンに失敗しました。|
read-record-by-index:3:0x3006|Palmからのデータの読み込みに失敗しました。|PMData.000 PMData.001
get-record-count:1:0x3006|Marbelo － KifuRecords : レコード数を取得できなかったため、取り込めませんでした。|
CASES

finish
