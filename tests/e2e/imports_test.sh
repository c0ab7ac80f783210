#!/usr/bin/env bash
# The program and its library import only DLLs every Windows has (and the
# program our own CBT.dll): no MinGW runtime DLLs. Both are 32-bit, and the
# library exports its names undecorated.
#   imports_test.sh Brisvane.exe CBT.dll
set -eu
. "$(dirname "$0")/../../harness/system_libraries.sh"
allowed="^($(echo $SYSTEM_LIBRARIES cbt | tr ' ' '|'))\\.dll\$"
# The 64-bit objdump reads the 32-bit files too.
objdump=x86_64-w64-mingw32-objdump
status=0
for binary in "$@"; do
    dlls=$($objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p')
    echo "$(basename "$binary"): $(echo $dlls)"
    while read -r dll; do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
            echo "FAIL: $(basename "$binary") imports $dll" >&2
            status=1
        fi
    done <<< "$dlls"
done
$objdump -p "$1" | grep -q 'DLL Name: CBT.dll' || { echo "FAIL: CBT.dll is not imported" >&2; status=1; }
for binary in "$1" "$2"; do
    $objdump -p "$binary" | grep -q 'file format pei-i386' || { echo "FAIL: $(basename "$binary") is not 32-bit" >&2; status=1; }
done
exports=$($objdump -p "$2" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
for name in InstallCBTHook FloatCBTHook UninstallCBTHook CanAdhere MoveOwnerWindow; do
    echo "$exports" | grep -Eq "\] $name\$" ||
        { echo "FAIL: $(basename "$2") does not export $name undecorated" >&2; status=1; }
done
exit $status
