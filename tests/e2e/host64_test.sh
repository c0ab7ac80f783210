#!/usr/bin/env bash
# CBT64Host.exe on its own, beside a 64-bit build of the program with Adhere
# off (so only the host's hooks are on): one host at a time, its library in
# a 64-bit notepad once that is activated, and the host gone soon after the
# program is killed.
#   host64_test.sh Brisvane.exe CBT.dll e2e_driver.exe CBT64.dll CBT64Host.exe
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/caption.sh"
cp "$4" "$5" "$E2E_DIR/app/"
HOST_EXE="$E2E_DIR/app/CBT64Host.exe"
host_running() { [ -n "$(wine_pids CBT64Host)" ]; }
host_gone() { ! host_running; }

printf '[Brisvane]\r\nAdhere=0\r\n' >"$E2E_DIR/app/Brisvane.ini"
drive_desktop riding 1024x768
wine $WINE_DESKTOP notepad </dev/null >/dev/null 2>&1 &
wine $WINE_DESKTOP "${E2E_TEST_WINDOW:?}" caption Other 500 300 300 200 </dev/null >/dev/null 2>&1 &
for w in class:Notepad Other; do driver window $w 20000 >/dev/null || fail "window $w did not start"; done
start_bar
pid=$(value pid "$(driver process)")
[ -n "$pid" ] || fail "no process id of the program"
wine $WINE_DESKTOP "$HOST_EXE" "$pid" </dev/null >/dev/null 2>&1 &
eventually host_running || fail "CBT64Host.exe did not start"

# Activated afresh (again, until the host has its hooks in): the system
# loads a hook's library into a process when one of its threads meets a
# hooked event.
map_has_library() {
    driver activate Other && driver activate class:Notepad && map_of notepad | grep -q 'CBT64\.dll'
}
eventually map_has_library || fail "CBT64.dll is not in notepad's memory map after its activation"
map_of notepad | grep -q '/CBT\.dll' && fail "CBT.dll is in notepad although the program's hooks are off"
echo "ok: CBT64.dll, and only it, in the activated notepad"

status=0
timeout 20 wine "$HOST_EXE" "$pid" </dev/null >/dev/null 2>&1 || status=$?
check_eq "second host's exit status" 1 "$status"
host_running || fail "the second host ended the first"


kill -9 $(wine_pids Brisvane)
BAR_PID=
eventually host_gone || fail "the host outlived the killed program"
echo "ok: a killed program takes the host along"
