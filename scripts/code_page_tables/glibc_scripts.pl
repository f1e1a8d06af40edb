#!/usr/bin/perl
# The script each locale that glibc supports is written in, read from
# glibc's locale sources for the table maker: a modifier that is the name of
# a Unicode script (@latin, @cyrillic, @devanagari) says it; otherwise it is
# the Unicode script of the first letter of LC_ADDRESS's lang_name, the
# language's own name in its own letters (following "copy" to the locale it
# names). Scripts are ISO 15924 codes, as Windows names them (LOCALE_SSCRIPTS),
# from perl's copy of the Unicode Character Database. Prints "sd_IN Arab" a
# line for each locale of SUPPORTED that has a language (not C), then
# "@latin Latn" a line for each of their modifiers that names a script.
#   glibc_scripts.pl [folder of SUPPORTED and locales/, /usr/share/i18n by default]
use strict;
use warnings;
use Unicode::UCD qw(charscript prop_value_aliases);

my $i18n = shift // "/usr/share/i18n";

# The ISO 15924 code of the Unicode script named `name` ("latin"), or undef.
sub script_named {
  my ($name) = @_;
  my @aliases = prop_value_aliases("sc", $name);
  return $aliases[0];
}

# lang_name of the locale source `name`, its <Uxxxx> escapes decoded, or
# undef when neither it nor the locale its LC_ADDRESS copies has one.
sub lang_name {
  my ($name, $depth) = @_;
  open(my $source, "<", "$i18n/locales/$name") or return undef;
  my ($inside, $copy) = (0, undef);
  while (my $line = <$source>) {
    $inside = 1 if $line =~ /^LC_ADDRESS\b/;
    next unless $inside;
    last if $line =~ /^END LC_ADDRESS\b/;
    if ($line =~ /^\s*lang_name\s+"(.*)"/) {
      (my $text = $1) =~ s/<U([0-9A-Fa-f]+)>/chr(hex($1))/ge;
      return $text;
    }
    $copy = $1 if $line =~ /^\s*copy\s+"(.*)"/;
  }
  return defined($copy) && $depth < 8 ? lang_name($copy, $depth + 1) : undef;
}

# The script of the first character of `text` that belongs to one.
sub script_of_text {
  my ($text) = @_;
  for my $character (split(//, $text)) {
    my $script = charscript(ord($character));
    next if !defined($script) || $script =~ /^(Common|Inherited|Unknown)$/;
    return script_named($script);
  }
  return undef;
}

my (%seen, %modifiers);
open(my $supported, "<", "$i18n/SUPPORTED") or die "glibc_scripts.pl: no $i18n/SUPPORTED\n";
while (my $line = <$supported>) {
  my ($name) = split(" ", $line);
  next unless defined($name);
  $name =~ s/\.[^@]*//;    # the character set: sr_RS.UTF-8@latin is sr_RS@latin
  next if $seen{$name}++;
  my ($base, $modifier) = split(/@/, $name, 2);
  my $script = defined($modifier) ? script_named($modifier) : undef;
  if (defined($script)) {
    $modifiers{$modifier} = $script;
  } else {
    my $text = lang_name($name, 0) // lang_name($base, 0);
    $script = defined($text) ? script_of_text($text) : undef;
  }
  print "$name $script\n" if defined($script);
}
print "\@$_ $modifiers{$_}\n" for sort(keys(%modifiers));
