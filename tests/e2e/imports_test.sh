#!/usr/bin/env bash
# The program, its library, the 64-bit library and its host import only DLLs
# every Windows has (and the program our own CBT.dll): no MinGW runtime DLLs.
# Both libraries export the same four names, undecorated.
#   imports_test.sh Brisvane.exe CBT.dll CBT64.dll CBT64Host.exe
set -eu
allowed='^(kernel32|user32|gdi32|shell32|comctl32|advapi32|msvcrt|cbt)\.dll$'
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
$objdump -p "$3" | grep -q 'file format pei-x86-64' || { echo "FAIL: $(basename "$3") is not 64-bit" >&2; status=1; }
$objdump -p "$4" | grep -q 'file format pei-x86-64' || { echo "FAIL: $(basename "$4") is not 64-bit" >&2; status=1; }
$objdump -p "$4" | grep -q 'DLL Name: CBT' && { echo "FAIL: $(basename "$4") must load its library at run time" >&2; status=1; }
for library in "$2" "$3"; do
    exports=$($objdump -p "$library" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
    for name in InstallCBTHook UninstallCBTHook CanAdhere MoveOwnerWindow; do
        echo "$exports" | grep -Eq "\] $name\$" ||
            { echo "FAIL: $(basename "$library") does not export $name undecorated" >&2; status=1; }
    done
done
exit $status
