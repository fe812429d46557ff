#!/usr/bin/env bash
# hotsync.exe with the real SYNC20.dll, HSLOG20.dll and the test conduit on a temporary
# handheld: a database written by Palm::PDB is read through the stand-in, the database the
# conduit writes is read back by Palm::PDB, bad files and injected faults are reported.
# usage: hotsync_host_test.sh WINE_RUN PREFIX HOTSYNC_EXE SYNC20_DLL HSLOG20_DLL TEST_CONDUIT_DLL
set -euo pipefail
wine_run=$1 prefix=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$3" "$4" "$5" "$6" "$work/"
cd "$work"
mkdir handheld
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
has() { grep -qF -- "$2" "$1"; }
run() { "$wine_run" "$prefix" hotsync.exe "$@" </dev/null; }

# A database made by a tool that is not ours, under a file name of its own choosing.
perl -MPalm::PDB -MPalm::Raw -e '
  my $p = Palm::Raw->new;
  $p->{name} = "Perl Kifu"; $p->{creator} = "ZHMQ"; $p->{type} = "KFED";
  $p->{attributes}{backup} = 1; $p->{version} = 3;
  my $r = $p->append_Record; $r->{data} = "abc"; $r->{id} = 0xABCD; $r->{category} = 2;
  $r->{attributes}{Dirty} = 1;
  $r = $p->append_Record; $r->{data} = "\x00\xff"; $r->{id} = 0xABCE;
  $p->Write("handheld/made-by-perl.pdb");'
# Another creator's database, not listed to the conduit; and a file that is no database.
perl -MPalm::PDB -MPalm::Raw -e '
  my $p = Palm::Raw->new; $p->{name} = "AAA Memo"; $p->{creator} = "memo"; $p->{type} = "DATA";
  $p->append_Record->{data} = "m"; $p->Write("handheld/memo.pdb");'
printf 'BOGUS' > handheld/bad.pdb
sum_before=$(md5sum handheld/made-by-perl.pdb)

status=0; run sync --conduit test_conduit.dll --handheld handheld --action 3 --trace trace.txt >sync.txt 2>&1 || status=$?
cat sync.txt
check "a session runs and ends with 0" test "$status" -eq 0
check "only the ZHMQ database is listed" has sync.txt "1 database(s) of ZHMQ listed"
check "the first record of the Palm::PDB file reads with its ID, attributes and category" \
  has sync.txt "Perl Kifu record 0: id 0x00ABCD attributes 0x40 category 2 bytes 61 62 63"
# Palm::PDB marks the records it appends dirty.
check "its second record's bytes" has sync.txt "Perl Kifu record 1: id 0x00ABCE attributes 0x40 category 0 bytes 00 FF"
check "the log is printed as UTF-8" has sync.txt "テスト用コンジット: データベースを書き込みました"
check "the trace names each operation" has trace.txt 'open-database name="Perl Kifu" card=0 mode=0xD0 -> 0 handle=1'
check "reading changed nothing" test "$(md5sum handheld/made-by-perl.pdb)" = "$sum_before"

check "Palm::PDB reads the database the conduit wrote" perl -MPalm::PDB -MPalm::Raw -e '
  my $p = Palm::PDB->new; $p->Load("handheld/HotSync Test.pdb");
  my $r = $p->{records};
  exit !($p->{name} eq "HotSync Test" && $p->{creator} eq "ZHMQ" && $p->{type} eq "TEST"
    && $p->{attributes}{backup} && $p->{version} == 1 && @$r == 1 && $r->[0]{data} eq "action 3"
    && $r->[0]{attributes}{Dirty} && $r->[0]{category} == 0 && $r->[0]{id} != 0);'

status=0; run list --handheld handheld >list.txt 2>&1 || status=$?
cat list.txt
check "list ends with 0" test "$status" -eq 0
check "list shows the Palm::PDB database" has list.txt '"Perl Kifu" creator=ZHMQ type=KFED attributes=0x0008 records=2'
check "list shows the other creator's database" has list.txt '"AAA Memo" creator=memo type=DATA attributes=0x0000 records=1'
check "list shows the conduit's database" has list.txt '"HotSync Test" creator=ZHMQ type=TEST attributes=0x0008 records=1'
check "list says what is wrong with a bad file" has list.txt "bad.pdb: not a valid database (truncated)"

status=0; run sync --conduit test_conduit.dll --handheld handheld --fault create-database:1:0x3006 >fault.txt 2>&1 || status=$?
cat fault.txt
check "an injected fault reaches the conduit and its log line" has fault.txt "create-database に失敗しました (0x3006)"
check "the fault left the other databases as they were" test "$(md5sum handheld/made-by-perl.pdb)" = "$sum_before"

status=0; run sync --conduit test_conduit.dll --handheld handheld --fault open-database:first:1 >bad.txt 2>&1 || status=$?
check "a malformed fault is refused before the session" test "$status" -eq 2
check "with the reason" has bad.txt "the call number must be 1 or more"

echo "$((17 - failures)) passed, $failures failed"
test "$failures" -eq 0
