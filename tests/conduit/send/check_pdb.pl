#!/usr/bin/perl
# Reads the handheld folder with Palm::PDB and checks the database a file was sent as:
# check_pdb.pl HANDHELD NAME_HEX FILE  (NAME_HEX: the Shift-JIS name's bytes in hex)
use strict;
use warnings;
use Palm::PDB;
use Palm::Raw;

my ($handheld, $name_hex, $file) = @ARGV;
my $name = pack('H*', $name_hex);
open(my $in, '<:raw', $file) or die "cannot read $file";
my $expected = do { local $/; <$in> };
close($in);

my @found;
for my $path (glob("$handheld/*.pdb")) {
  my $pdb = Palm::PDB->new;
  $pdb->Load($path);
  push @found, $pdb if $pdb->{name} eq $name;
}
my @problems;
push @problems, scalar(@found) . " databases of that name" if @found != 1;
if (@found == 1) {
  my $pdb = $found[0];
  push @problems, "creator $pdb->{creator}" if $pdb->{creator} ne 'ZHMQ';
  push @problems, "type $pdb->{type}" if $pdb->{type} ne 'KFED';
  push @problems, "version $pdb->{version}" if $pdb->{version} != 1;
  my $a = $pdb->{attributes};
  my @set = grep { $a->{$_} } sort keys %$a;
  push @problems, "attributes @set" if "@set" ne 'backup' && "@set" ne 'Backup backup';
  my @records = @{$pdb->{records} || []};
  push @problems, scalar(@records) . " records" if @records != 1;
  push @problems, "record data differ" if @records == 1 && $records[0]{data} ne $expected;
}
if (@problems) {
  print "check_pdb: ", join('; ', @problems), "\n";
  exit 1;
}
