#!/usr/bin/perl
use strict;
my @list = (1, 2, 3);
my $last = $#list; # 最後の添字
print "表示: $last\n";
print 'ソフト', "\"quoted\" 十能", "\\";
my $s = "閉じない文字列
print "行は独立" if $x;
$h{'#key'} = 1; $# x
sub f { return "a#b" . 'c#d'; } # コメント http://www.perl.org/
