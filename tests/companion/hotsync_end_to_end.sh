#!/usr/bin/env bash
# One HotSync from end to end: hotsync.exe loads Dalvex.dll, which starts Vornet.exe; the
# UI driver picks a KIF file with a Japanese name in its dialog, and the file must arrive on
# the simulated handheld as a one-record ZHMQ/KFED database, read back with Palm::PDB.
# Runs inside tools/wine-session.sh.
# usage: hotsync_end_to_end.sh BUILD_DIR SAMPLE_KIF
set -euo pipefail
build=$1 sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/host" "$work/conduit" "$work/handheld" "$work/棋譜"
cp "$build/platform/hotsync/hotsync.exe" "$build/platform/sync20/SYNC20.dll" \
   "$build/platform/hslog/HSLOG20.dll" "$work/host/"
cp "$build/conduit/Dalvex.dll" "$build/companion/Vornet.exe" "$work/conduit/"
chosen="$work/棋譜/対局.kif"
cp "$sample" "$chosen"

win() { winepath -w "$1" 2>/dev/null; }
(cd "$work/host" && wine hotsync.exe sync --conduit "$(win "$work/conduit/Dalvex.dll")" \
   --handheld "$(win "$work/handheld")" </dev/null >"$work/hotsync.out" 2>&1; echo $? >"$work/hotsync.rc") &
host=$!

uidriver="$build/tests/uidriver/uidriver.exe"
wine "$uidriver" click "Marbelo Conduit" 1000 </dev/null
wine "$uidriver" openfile "Marbelo Conduit" "$(win "$chosen")" </dev/null
wait "$host"
echo "hotsync.exe exited with $(cat "$work/hotsync.rc"):"
sed 's/^/  /' "$work/hotsync.out"
[ "$(cat "$work/hotsync.rc")" = 0 ] || { echo "FAILED: hotsync.exe did not succeed" >&2; exit 1; }

shopt -s nullglob
databases=("$work/handheld"/*.pdb)
[ ${#databases[@]} = 1 ] || { echo "FAILED: expected one database on the handheld, found ${#databases[@]}" >&2; exit 1; }
perl -MPalm::PDB -MPalm::Raw -e '
  my ($file, $kif) = @ARGV;
  my $pdb = Palm::PDB->new; $pdb->Load($file);
  open my $in, "<:raw", $kif or die; local $/; my $bytes = <$in>;
  my @problems;
  push @problems, "creator $pdb->{creator}" unless $pdb->{creator} eq "ZHMQ";
  push @problems, "type $pdb->{type}" unless $pdb->{type} eq "KFED";
  # The name is the chosen file name in Shift-JIS: 対局.kif
  push @problems, "name " . unpack("H*", $pdb->{name}) unless $pdb->{name} eq "\x91\xce\x8b\xc7.kif";
  my @records = @{$pdb->{records}};
  push @problems, scalar(@records) . " records" unless @records == 1;
  push @problems, "record differs from the file" unless @records && $records[0]{data} eq $bytes;
  if (@problems) { print "FAILED: $_\n" for @problems; exit 1 }
  print "handheld database: ", length($bytes), " bytes in one record, ZHMQ/KFED\n";
' "${databases[0]}" "$chosen"
