#!/usr/bin/perl
# Clears the two compile times that chmcmd writes into a help file, the header's and the #SYSTEM
# file's (milliseconds since midnight), so the same sources give the same file whenever and
# wherever they are compiled; nothing reads them.
# Usage: clear_chm_times.pl <help file>
use strict;
use warnings;

my $file = shift or die "usage: clear_chm_times.pl <help file>\n";
open(my $fh, '+<:raw', $file) or die "$file: $!\n";
my $data = do { local $/; <$fh> };
substr($data, 0, 4) eq 'ITSF' or die "$file is no compiled help file\n";
# The header's, after its signature, version, length and one unknown field.
substr($data, 16, 4) = pack('N', 0);
# The uncompressed #SYSTEM file: version 3, then its entry 10 (the time, four bytes).
my $found = ($data =~ s/\x03\0\0\0\x0a\0\x04\0\K.{4}/pack('V', 0)/se);
$found or die "$file has no #SYSTEM time where chmcmd writes it\n";
seek($fh, 0, 0) or die "$file: $!\n";
print $fh $data or die "$file: $!\n";
close($fh) or die "$file: $!\n";
