#!/usr/bin/env bash
# The program and its library import only DLLs every Windows has (and the
# program our own CBT.dll): no MinGW runtime DLLs.
set -eu
allowed='^(kernel32|user32|gdi32|shell32|comctl32|advapi32|msvcrt|cbt)\.dll$'
status=0
for binary in "$@"; do
    dlls=$(i686-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p')
    echo "$(basename "$binary"): $(echo $dlls)"
    while read -r dll; do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
            echo "FAIL: $(basename "$binary") imports $dll" >&2
            status=1
        fi
    done <<< "$dlls"
done
i686-w64-mingw32-objdump -p "$1" | grep -q 'DLL Name: CBT.dll' || { echo "FAIL: CBT.dll is not imported" >&2; status=1; }
exports=$(i686-w64-mingw32-objdump -p "$2" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
for name in InstallCBTHook UninstallCBTHook CanAdhere MoveOwnerWindow; do
    echo "$exports" | grep -Eq "\] $name\$" || { echo "FAIL: CBT.dll does not export $name undecorated" >&2; status=1; }
done
exit $status
