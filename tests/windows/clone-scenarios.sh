#!/bin/sh
# tolvar.exe's clone commands under Wine against the simulator of the Linux build: each
# scenario runs once with the Linux tolvar on the simulator's pseudo-terminal and once
# with tolvar.exe on COM5, which the Wine prefix links to the pseudo-terminal of a fresh
# simulator. Exit status, files written and messages (line ends and the port's name
# aside) must be the same.
#   clone-scenarios.sh LINUX_TOLVAR TOLVAR_EXE WORK_FOLDER [pacing]
# Environment: WINE (the loader) and WINEPREFIX. "pacing" also times a paced read at
# 9600 and 38400 through COM5 against the same read on Linux.
set -u
linux=$1 exe=$2 work=$3 pacing=${4:-}
com=$WINEPREFIX/dosdevices/com5
rm -rf "$work" && mkdir -p "$work" || exit 1
failures=0 passed=0

# simulate ARGS...: starts a simulator; its port in $port, its process in $sim.
simulate() {
    : > "$work/sim.out"
    "$linux" simulate "$@" > "$work/sim.out" 2> "$work/sim.log" &
    sim=$!
    port=""
    for _ in $(seq 50); do
        port=$(head -n 1 "$work/sim.out")
        [ -n "$port" ] && return 0
        sleep 0.1
    done
    echo "the simulator did not start: $(cat "$work/sim.log")"
    return 1
}

stop() { kill -INT "$sim" 2> /dev/null; wait "$sim" 2> /dev/null; }

# run SIDE NAME SIM_ARGS -- COMMAND...: one side of a scenario; its results in
# $work/NAME.SIDE.{status,out,err} and the files it wrote in $work/NAME.SIDE/.
run() {
    side=$1 name=$2; shift 2
    sim_args=""
    while [ "$1" != "--" ]; do sim_args="$sim_args $1"; shift; done
    shift
    dir=$work/$name.$side
    mkdir -p "$dir"
    cp "$work/lmr.zcf" "$work/pmr.zcf" "$dir/"
    # shellcheck disable=SC2086 # the simulator's arguments are words
    simulate $(echo $sim_args | sed "s|@|$dir/|g") || return 1
    if [ "$side" = linux ]; then
        name_used=$port
        set -- "$linux" "$@"
    else
        ln -sfn "$port" "$com"
        name_used=COM5
        set -- "$WINE" "$exe" "$@"
    fi
    args=""
    for arg in "$@"; do
        case $arg in
            @*) arg=$dir/${arg#@} ;;
            PORT) arg=$name_used ;;
        esac
        args="$args $arg"
    done
    # shellcheck disable=SC2086 # no argument holds a blank
    $args > "$dir.out" 2> "$dir.err" < /dev/null
    echo $? > "$dir.status"
    stop
    # The port's name, the run's folder and Windows' line ends aside, the messages are
    # the same.
    for stream in out err; do
        tr -d '\r' < "$dir.$stream" | sed -e "s|$name_used|PORT|g" -e "s|$dir/|RUN/|g" \
            > "$dir.$stream.text"
    done
}

# scenario NAME SIM_ARGS -- COMMAND...: "@x" is file x of the run's folder, PORT the port.
scenario() {
    name=$1
    run linux "$@" && run windows "$@" || { failures=$((failures + 1)); return; }
    problems=""
    a=$work/$name.linux b=$work/$name.windows
    cmp -s "$a.status" "$b.status" || problems="$problems exit $(cat "$a.status") != $(cat "$b.status");"
    for stream in out err; do
        cmp -s "$a.$stream.text" "$b.$stream.text" ||
            problems="$problems standard $stream differs: $(diff "$a.$stream.text" "$b.$stream.text" | head -n 6 | tr '\n' ' ');"
    done
    for file in "$a"/*; do
        cmp -s "$file" "$b/${file##*/}" || problems="$problems ${file##*/} differs;"
    done
    [ -z "$(ls "$b" | grep -v -x -F "$(ls "$a")")" ] || problems="$problems other files written;"
    if [ -n "$problems" ]; then
        echo "FAILED  $name:$problems"
        failures=$((failures + 1))
    else
        echo "ok      $name (exit $(cat "$a.status"))"
        passed=$((passed + 1))
    fi
}

"$linux" new -o "$work/lmr.zcf" > /dev/null 2>&1 && "$linux" new --pmr -o "$work/pmr.zcf" > /dev/null 2>&1 || exit 1
for speed in 9600 38400; do
    scenario "info-$speed" --pmr --options 0x22 -- info -p PORT
    scenario "read-$speed" --image @pmr.zcf -- read -p PORT --speed $speed --no-backup -o @read.zcf
    scenario "read-maker-reserve-$speed" -- read -p PORT --speed $speed --maker-reserve --no-backup -o @read.zcf
    scenario "write-verify-$speed" --image @lmr.zcf --save -- write -p PORT --speed $speed --yes --verify --no-backup @pmr.zcf
    scenario "write-unanswered-$speed" -- write -p PORT --speed $speed --no-backup @pmr.zcf
done
for fault in silent:info no-echo:read corrupt-echo:write bad-checksum=5:read wrong-model:info \
             wrong-revision:read write-refused:write silent-after=40:read early-end=40:read; do
    command=${fault#*:} fault=${fault%:*}
    case $command in
        read) set -- read -p PORT --no-backup -o @read.zcf ;;
        write) set -- write -p PORT --yes --no-backup @lmr.zcf ;;
        *) set -- info -p PORT ;;
    esac
    scenario "fault-$fault-$command" --fault "$fault" -- "$@"
done

# Ctrl+C cancels a read: exit 1, "Terminated cloning.", no file.
for side in linux windows; do
    dir=$work/interrupt.$side
    mkdir -p "$dir"
    simulate --pace || break
    if [ $side = linux ]; then
        "$linux" read -p "$port" --no-backup -o "$dir/read.zcf" > "$dir.out" 2> "$dir.err" < /dev/null &
    else
        ln -sfn "$port" "$com"
        "$WINE" "$exe" read -p COM5 --no-backup -o "$dir/read.zcf" > "$dir.out" 2> "$dir.err" < /dev/null &
    fi
    reader=$!
    for _ in $(seq 100); do grep -q "read request" "$work/sim.log" && break; sleep 0.1; done
    sleep 1
    kill -INT $reader
    wait $reader
    status=$?
    stop
    if [ $status = 1 ] && grep -q "Terminated cloning." "$dir.err" && [ ! -e "$dir/read.zcf" ]; then
        echo "ok      interrupt-$side (exit 1)"
        passed=$((passed + 1))
    else
        echo "FAILED  interrupt-$side: exit $status, $(tr -d '\r' < "$dir.err" | tail -n 3 | tr '\n' ' ')"
        failures=$((failures + 1))
    fi
done

if [ "$pacing" = pacing ]; then
    for speed in 9600 38400; do
        for side in linux windows; do
            simulate --pace || break
            start=$(date +%s.%N)
            if [ $side = linux ]; then
                "$linux" read -p "$port" --speed $speed --no-backup -o "$work/paced.zcf" > /dev/null 2>&1
            else
                ln -sfn "$port" "$com"
                "$WINE" "$exe" read -p COM5 --speed $speed --no-backup -o "$work/paced.zcf" > /dev/null 2>&1
            fi
            status=$?
            end=$(date +%s.%N)
            stop
            eval "wall_$side=$(echo "$end - $start" | bc)"
            echo "paced read $speed $side: exit $status, $(eval echo \$wall_$side) s"
        done
        echo "paced read $speed: Wine/Linux $(echo "scale=3; $wall_windows / $wall_linux" | bc)"
    done
fi

rm -f "$com"
echo "clone scenarios: $passed passed, $failures failed"
[ $failures = 0 ]
