#!/usr/bin/env bash
# Puts the stand-in DISM and a sample driver store into the prefix, and maps drive D:.
# Usage: dism.sh BUILD_DIR (with testbed/env sourced). Quick when everything is in place.
set -euo pipefail
build="$1"
drive_c="$WINEPREFIX/drive_c"
windows="$drive_c/windows"

# 64-bit in System32, 32-bit in SysWOW64, as on Windows. WINEDLLOVERRIDES dism.exe=n lets the
# native one win over Wine's builtin.
install_program() {
  if [ ! -f "$1" ]; then
    echo "dism.sh: $1 is not built; the stand-in DISM is not installed" >&2
    return
  fi
  cmp -s "$1" "$2" || cp "$1" "$2"
}
install_program "$build/testbed/dism/dism64.exe" "$windows/system32/dism.exe"
install_program "$build/testbed/dism/dism32.exe" "$windows/syswow64/dism.exe"

# C:\testbed holds what the stand-in records (dism.log), its pace (dism-pace, bytes per
# second) and the names of the sample packages (driverstore-sample.txt), so that a test can
# take the store back to the sample by deleting every other package folder.
mkdir -p "$drive_c/testbed"
# Each bring-up starts with an empty record and the default pace (8 MiB/s).
: >"$drive_c/testbed/dism.log"
rm -f "$drive_c/testbed/dism-pace"
store="$windows/system32/DriverStore"
list="$drive_c/testbed/driverstore-sample.txt"

sample_intact() {
  [ -s "$list" ] || return 1
  while read -r name; do [ -f "$store/FileRepository/$name/${name%%.inf_*}.sys" ] || return 1; done <"$list"
}

# About 25 MB in 30 packages, each an .inf, a .sys and a .cat of deterministic content, plus
# the localised .inf_loc files a store keeps outside FileRepository.
if ! sample_intact; then
  rm -rf "$store"
  mkdir -p "$store/FileRepository" "$store/en-US"
  perl -MDigest::SHA=sha512,sha1_hex -e '
    my ($store, $list) = @ARGV;
    sub bytes { my ($seed, $length) = @_; my $out = "";
      for (my $i = 0; length($out) < $length; ++$i) { $out .= sha512($seed . pack("N", $i)); }
      return substr($out, 0, $length); }
    sub put { my ($path, $content) = @_; open(my $f, ">:raw", $path) or die "$path: $!"; print $f $content; close $f; }
    my @classes = qw(netwlan audhda storahci usbxhci dispkm btradio camuvc hidtouch sdcard serio
                     mei thermal gpio i2cctl netlan smbus wwan nfc sensor rtcam);
    open(my $names, ">", $list) or die;
    for my $n (0 .. 29) {
      my $inf = $classes[$n % @classes] . sprintf("%02d", $n);
      my $name = "$inf.inf_amd64_" . substr(sha1_hex("package $n"), 0, 16);
      my $dir = "$store/FileRepository/$name";
      mkdir $dir or die "$dir: $!";
      my $size = 200_000 + unpack("N", bytes("size $n", 4)) % 1_300_000;
      put("$dir/$inf.sys", bytes("sys $n", $size));
      put("$dir/$inf.cat", bytes("cat $n", 8_000 + $n * 211));
      put("$dir/$inf.inf", "[Version]\r\nSignature=\"\$WINDOWS NT\$\"\r\nClass=Sample\r\n" .
                           "CatalogFile=$inf.cat\r\nDriverVer=06/21/2006,10.0.$n.1\r\n\r\n" .
                           "[SourceDisksFiles]\r\n$inf.sys=1\r\n");
      put("$store/en-US/$inf.inf_loc", bytes("loc $n", 3_000 + $n * 37));
      print $names "$name\n";
    }
  ' "$store" "$list"
fi

# Windows exempts DriverStore from the file-system redirection of 32-bit programs; Wine does
# not, so the 32-bit view is made to be the same folder.
if [ ! -L "$windows/syswow64/DriverStore" ]; then
  rm -rf "$windows/syswow64/DriverStore"
  ln -s ../system32/DriverStore "$windows/syswow64/DriverStore"
fi

# Drive D: is a folder of the test bed, for run directories on a second drive and at a root.
mkdir -p "$TAMSEL_TESTBED/drive_d"
[ -L "$WINEPREFIX/dosdevices/d:" ] || ln -s "$TAMSEL_TESTBED/drive_d" "$WINEPREFIX/dosdevices/d:"
