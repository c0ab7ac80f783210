#!/usr/bin/env bash
# The release zip: exactly the program, its library, the README and the
# licence, the same bytes as the build, a version resource of 1.0, and a
# program that runs from wherever it was unzipped.
. "$(dirname "$0")/lib.sh"
zip_file=$4

[ -f "$zip_file" ] || fail "no package at $zip_file"
names=$(unzip -Z1 "$zip_file" | LC_ALL=C sort | tr '\n' ' ')
check_eq "package contents" "Brisvane.exe CBT.dll LICENSE README.md " "$names"

unpacked="$E2E_DIR/unzipped folder"
mkdir -p "$unpacked"
unzip -q "$zip_file" -d "$unpacked"
cmp "$unpacked/Brisvane.exe" "$E2E_EXE" || fail "Brisvane.exe in the package differs from the build"
cmp "$unpacked/CBT.dll" "$E2E_DLL" || fail "CBT.dll in the package differs from the build"
grep -q "MIT License" "$unpacked/LICENSE" || fail "LICENSE is not the MIT licence"

# The version texts as a reader on a Windows of that display language finds them.
version_in() {  # version_in LOCALE
    env LC_ALL="$1" wine "$E2E_DRIVER" version "$(winepath -w "$unpacked/Brisvane.exe" 2>/dev/null)" | tr -d '\r'
}
version=$(version_in en_US.UTF-8)
check_eq "file version" 1.0.0.0 "$(value fileversion "$version")"
check_eq "product name" Brisvane "$(value ProductName "$version")"
check_eq "product version" 1.0 "$(value ProductVersion "$version")"
check_eq "version language on an English Windows" 040904b0 "$(value translation "$version")"
check_eq "version language on a Chinese Windows" 080404b0 "$(value translation "$(version_in zh_CN.UTF-8)")"

# Runs from the unzipped folder (a name with a blank in it) and exits cleanly.
# Where 32-bit Wine cannot run, the test build's program stands in for the
# release's there (arguments 5 and 6).
[ $# -lt 6 ] || cp "$5" "$6" "$unpacked/"
APP_EXE="$unpacked/Brisvane.exe"
rm -rf "$E2E_DIR/app"
ln -s "$unpacked" "$E2E_DIR/app"
start_bar
check_eq "bar windows" 1 "$(value count "$(driver count)")"
driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
