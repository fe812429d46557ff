#!/usr/bin/perl
# Checks the record files of a retrieval against the database Palm::PDB reads:
# check_record_files.pl PDB FOLDER  — one file per record with data, numbered densely, each
# a 28-byte header (index, dataSize, bufferSize 65535, 0 at offset 24) and the record's bytes.
use strict;
use warnings;
use Palm::PDB;
use Palm::Raw;

my ($file, $folder) = @ARGV;
my $pdb = Palm::PDB->new;
$pdb->Load($file);
my @problems;
my $number = 0;
my @records = @{$pdb->{records} || []};
for my $index (0 .. $#records) {
  my $data = $records[$index]{data};
  next if length($data) == 0;
  my $name = sprintf('%s/PMData.%03d', $folder, $number++);
  open(my $in, '<:raw', $name) or do { push @problems, "no $name"; next };
  my $bytes = do { local $/; <$in> };
  close($in);
  my ($handle, $id, $at, $attr, $cat, $r10, $size, $capacity, $buffer, $r24) =
    unpack('C V v C v V V v V V', substr($bytes, 0, 28));
  push @problems, "$name: index $at, not $index" if $at != $index;
  push @problems, "$name: dataSize $size" if $size != length($data);
  push @problems, "$name: bufferSize $capacity" if $capacity != 65535;
  push @problems, "$name: $r24 at offset 24" if $r24 != 0;
  push @problems, "$name: " . length($bytes) . " bytes" if length($bytes) != 28 + length($data);
  push @problems, "$name: data differ" if substr($bytes, 28) ne $data;
}
push @problems, "a record file beyond the last" if -e sprintf('%s/PMData.%03d', $folder, $number);
if (@problems) {
  print "check_record_files: ", join('; ', @problems), "\n";
  exit 1;
}
