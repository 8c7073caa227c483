#!/bin/sh
# The Windows build's tests under Wine: the unit, thread and CLI test programs, then the
# clone scenarios of tolvar.exe against the Linux build's simulator.
#   test-windows.sh WINDOWS_BUILD LINUX_TOLVAR [clone]
# With "clone" only the clone scenarios run, else also a paced read at 9600 and 38400
# timed against the Linux build's. The Wine prefix is WINDOWS_BUILD/wine; no
# display is used and no dialog can come up.
set -u
build=$(cd "$1" && pwd) linux=$(cd "$(dirname "$2")" && pwd)/$(basename "$2") part=${3:-all}
here=$(cd "$(dirname "$0")" && pwd)
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver64}
WINEPREFIX=$build/wine
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINE WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    "$WINE" wineboot -i > "$build/wineboot.log" 2>&1
fi
# One server for every run, kept from the test's standard output. A server left by the
# prefix's making or an earlier run goes first: a run without our server would start
# one that writes its object list into the run's standard error when it ends.
"$WINESERVER" -k > /dev/null 2>&1
"$WINESERVER" -w > /dev/null 2>&1
"$WINESERVER" -p > /dev/null 2>&1 < /dev/null
"$WINE" wineboot > /dev/null 2>&1 < /dev/null # the services, without the tests' output
line=""
cleanup() {
    [ -n "$line" ] && kill "$line" 2> /dev/null
    rm -f "$WINEPREFIX/dosdevices/com7" "$WINEPREFIX/dosdevices/com8"
    "$WINESERVER" -k > /dev/null 2>&1
    "$WINESERVER" -w > /dev/null 2>&1
}
trap cleanup EXIT

status=0
if [ "$part" != clone ]; then
    # The serial port tests: COM7 and COM8 are the two ends of a pseudo-terminal pair.
    socat pty,raw,echo=0,link="$build/line-a" pty,raw,echo=0,link="$build/line-b" 2> /dev/null &
    line=$!
    for _ in $(seq 50); do [ -e "$build/line-b" ] && break; sleep 0.1; done
    ln -sfn "$build/line-a" "$WINEPREFIX/dosdevices/com7"
    ln -sfn "$build/line-b" "$WINEPREFIX/dosdevices/com8"
    for program in tolvar_unit_tests tolvar_thread_tests tolvar_cli_tests; do
        echo "== $program.exe under Wine"
        TOLVAR_TEST_LINE=COM7,COM8 "$WINE" "$build/bin/$program.exe" --gtest_brief=1 \
            < /dev/null > "$build/$program.log" 2>&1
        tr -d '\r' < "$build/$program.log" | grep -v '^\[ *\(RUN\|OK\) *\]'
        grep -q '^\[  PASSED  \]' "$build/$program.log" &&
            ! grep -q '^\[  FAILED  \]' "$build/$program.log" || status=1
    done
fi
echo "== clone scenarios: tolvar.exe on COM5 against the Linux simulator"
pacing=pacing
[ "$part" = clone ] && pacing=""
"$here/clone-scenarios.sh" "$linux" "$build/bin/tolvar.exe" "$build/clone-scenarios" $pacing || status=1
exit $status
