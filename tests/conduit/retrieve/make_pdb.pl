#!/usr/bin/perl
# Writes a handheld database of the game's creator with Palm::PDB, a writer that is not ours:
# make_pdb.pl FILE NAME SIZE...  (record i holds SIZE bytes of a pattern seeded by i)
use strict;
use warnings;
use Palm::PDB;
use Palm::Raw;

my ($file, $name, @sizes) = @ARGV;
my $pdb = Palm::Raw->new;
$pdb->{name} = $name;
$pdb->{creator} = 'ZHMQ';
$pdb->{type} = 'KFED';
$pdb->{version} = 1;
$pdb->{attributes}{backup} = 1;
for my $i (0 .. $#sizes) {
  my $record = $pdb->new_Record;
  $record->{data} = join('', map { chr(($_ * 7 + $i * 13) & 0xFF) } 0 .. $sizes[$i] - 1);
  $pdb->append_Record($record);
}
$pdb->Write($file);
