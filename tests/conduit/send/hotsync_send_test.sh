#!/usr/bin/env bash
# Sends PC files through hotsync.exe, the real Dalvex.dll and a scripted companion, and reads
# the simulated handheld back with Palm::PDB.
# usage: hotsync_send_test.sh WORK SAMPLE_KIF   (with the BIN_* and PREFIX variables set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/hotsync_session.sh"
work=$1
sample=$2
rm -rf "$work"; mkdir -p "$work/pc"

hexname() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -v -tx1 | tr -d ' \n'; }
arrived() {  # arrived DIR DATABASE_NAME(UTF-8) FILE
  perl "$here/check_pdb.pl" "$1/handheld" "$(hexname "$2")" "$3"
}
databases() { ls "$1/handheld" | grep -c '\.pdb$'; }

# A game record in Shift-JIS, then a binary file sent over it under the same name: the older
# database is replaced. The selection file is gone after each send.
cp "$sample" "$work/pc/game01.kif"
lay_out "$work/s"
choose_file "$work/s" "$work/pc/game01.kif"
run_session "$work/s"
check "the game record arrives as the one record of game01.kif" arrived "$work/s" game01.kif "$work/pc/game01.kif"
check "the selection file is gone after the send" test ! -e "$work/s/csvselname.txt"
check "a send logs nothing" test ! -s "$work/s/handheld.log"

head -c 3000 /dev/urandom > "$work/pc/game01.kif"
printf '\r\n\x1a\x00' >> "$work/pc/game01.kif"
choose_file "$work/s" "$work/pc/game01.kif"
run_session "$work/s"
check "a binary file replaces the older database byte for byte" arrived "$work/s" game01.kif "$work/pc/game01.kif"
check "the handheld holds one database" test "$(databases "$work/s")" -eq 1

# Sizes at the ends, and a long Japanese name.
: > "$work/pc/empty.kif"
head -c 61439 /dev/urandom > "$work/pc/largest.bin"
head -c 61440 /dev/urandom > "$work/pc/toolarge.bin"
long="将棋将棋将棋将棋将棋将棋将棋将棋の対局.kif"
cp "$sample" "$work/pc/$long"
for case in "empty.kif empty.kif" "largest.bin largest.bin" "$long 将棋将棋将棋将棋将棋将棋将.kif"; do
  set -- $case
  lay_out "$work/c"
  pcfile="$work/pc/$1"
  choose_file "$work/c" "$pcfile"
  run_session "$work/c"
  check "$1 arrives as $2" arrived "$work/c" "$2" "$pcfile"
done

lay_out "$work/c"
choose_file "$work/c" "$work/pc/toolarge.bin"
run_session "$work/c"
check "a file of 61440 bytes is refused with its log line" \
  test "$(log_lines "$work/c")" = "$(sjis 'Marbelo － toolarge.bin : 転送するファイルサイズが大きすぎて転送できませんでした。')"
check "nothing reaches the handheld for a refused file" test "$(databases "$work/c")" -eq 0

# Failures injected into the stand-in Sync Manager: the line logged and what is left.
cp "$sample" "$work/pc/game01.kif"
empty_database() {  # the database of the name is there and holds no record
  perl -MPalm::PDB -MPalm::Raw -e 'for (glob("$ARGV[0]/*.pdb")) { my $p = Palm::PDB->new; $p->Load($_);
    exit(@{$p->{records} || []} == 0 && $p->{name} eq "game01.kif" ? 0 : 1) } exit 1' "$1/handheld"
}
while IFS='|' read -r fault line left; do
  lay_out "$work/f"
  choose_file "$work/f" "$work/pc/game01.kif"
  run_session "$work/f" --fault "$fault"
  check "$fault logs its line" test "$(log_lines "$work/f")" = "$(sjis "$line")"
  case $left in
    empty) check "$fault leaves an empty database" empty_database "$work/f" ;;
    none) check "$fault leaves no database" test "$(databases "$work/f")" -eq 0 ;;
  esac
  check "$fault leaves no selection file after the session" test ! -e "$work/f/csvselname.txt"
done <<'CASES'
open-database:1:0x3006|game01.kif : データベースのオープンに失敗しました。|empty
delete-all-records:1:0x3006|全データ削除時にエラーが発生しました。|empty
write-record:1:0x3006|Palmへの書き込みに失敗しました。|empty
create-database:1:0x3006|game01.kif : データベースのオープンに失敗しました。|none
CASES

finish
