# The system libraries the program and its library may import: every
# Windows has them, and nothing else is shipped beside the program but
# CBT.dll. One list for the import test (tests/e2e/imports_test.sh) and the
# benchmark's import line (tools/bench.sh). Lower case, without ".dll".
SYSTEM_LIBRARIES="kernel32 user32 gdi32 shell32 comctl32 advapi32 wtsapi32 powrprof setupapi msvcrt"
