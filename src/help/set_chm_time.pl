#!/usr/bin/perl
# Sets the two compile times that chmcmd writes into a help file, the header's and the #SYSTEM
# file's (milliseconds since midnight), to the time of day of SOURCE_DATE_EPOCH (to 0 without it),
# so the same sources give the same file whenever they are compiled.
# Usage: set_chm_time.pl <help file>
use strict;
use warnings;

my $file = shift or die "usage: set_chm_time.pl <help file>\n";
my $time = (($ENV{SOURCE_DATE_EPOCH} // 0) % 86400) * 1000;
open(my $fh, '+<:raw', $file) or die "$file: $!\n";
my $data = do { local $/; <$fh> };
substr($data, 0, 4) eq 'ITSF' or die "$file is no compiled help file\n";
# The header's, big-endian after its signature, version, length and one unknown field.
substr($data, 16, 4) = pack('N', $time);
# The uncompressed #SYSTEM file: version 3, then its entry 10 (the time, four bytes, little-endian).
my $found = ($data =~ s/\x03\0\0\0\x0a\0\x04\0\K.{4}/pack('V', $time)/se);
$found or die "$file has no #SYSTEM time where chmcmd writes it\n";
seek($fh, 0, 0) or die "$file: $!\n";
print $fh $data or die "$file: $!\n";
close($fh) or die "$file: $!\n";
