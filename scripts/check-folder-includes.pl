#!/usr/bin/perl
# Keeps the folders of src/ and tools/ running one way: each folder's own
# files (not its sub-folders') are one node, and a file's #include "..."
# of a header in another folder is a step from its folder to that one. A
# cycle of steps fails, printed with its folders and one include of each
# step. The one step allowed against the flow is from a folder of
# generated tables (code_pages/) into the folder that holds it, whose
# declarations they fill in. Tests (*_test.cpp, tests/) and the benchmark
# stand outside the graph. Perl, since Debian always has it.
#   check-folder-includes.pl [source root]
use strict;
use warnings;
use File::Basename qw(dirname);

my $root = shift // dirname($0) . '/..';
$root =~ s{/+$}{};

# The program's files below `folder`, tests left out.
sub sources {
  my ($folder) = @_;
  my @found;
  opendir(my $dir, $folder) or return;
  for my $entry (sort grep { !/^\./ } readdir $dir) {
    my $path = "$folder/$entry";
    if (-d $path) {
      push @found, sources($path);
    } elsif ($entry =~ /\.(cpp|h)$/ && $entry !~ /_test\.cpp$/) {
      push @found, $path;
    }
  }
  closedir $dir;
  return @found;
}

# The file an include names: beside the including file, else below src/
# or tools/, as the builds' include paths find it; undef for none of ours.
sub resolve {
  my ($file, $name) = @_;
  for my $base (dirname($file), "$root/src", "$root/tools") {
    return "$base/$name" =~ s{/[^/]+/\.\./}{/}gr if -f "$base/$name";
  }
  return undef;
}

my %steps;  # folder => { folder => one include that makes the step }
for my $file (sources("$root/src"), sources("$root/tools")) {
  open(my $in, '<', $file) or die "$file: $!\n";
  while (my $line = <$in>) {
    next unless $line =~ /^\s*#\s*include\s*"([^"]+)"/;
    my $name = $1;
    my $target = resolve($file, $name) or next;
    my ($from, $to) = (dirname($file), dirname($target));
    next if $from eq $to;
    next if $from =~ m{/code_pages$} && dirname($from) eq $to;
    my $shown = ($file =~ s{^\Q$root\E/}{}r) . ":$.: #include \"$name\"";
    $steps{$from}{$to} //= $shown;
  }
  close $in;
}

# A cycle through `start`, as the folders of its steps, or none.
sub cycle_from {
  my ($start) = @_;
  my @path = ($start);
  my %seen;
  my $walk;
  $walk = sub {
    my ($at) = @_;
    for my $next (sort keys %{ $steps{$at} // {} }) {
      return 1 if $next eq $start;
      next if $seen{$next}++;
      push @path, $next;
      return 1 if $walk->($next);
      pop @path;
    }
    return 0;
  };
  return $walk->($start) ? @path : ();
}

my %reported;
my $failed = 0;
for my $folder (sort keys %steps) {
  next if $reported{$folder};
  my @cycle = cycle_from($folder);
  next unless @cycle;
  $failed = 1;
  $reported{$_} = 1 for @cycle;
  my @shown = map { s{^\Q$root\E/}{}r } @cycle;
  print "Folders that include each other: ", join(' -> ', @shown, $shown[0]), "\n";
  for my $i (0 .. $#cycle) {
    print "  $steps{$cycle[$i]}{$cycle[($i + 1) % @cycle]}\n";
  }
}
print "The folders include one way.\n" unless $failed;
exit $failed;
