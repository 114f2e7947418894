# Sourced by scripts/run, scripts/test and scripts/package: each step says in
# one line what it does, its own output goes to one log file, and a step that
# fails shows the log's last lines and ends the script with its status.
# The caller sets steps_root, the checkout's top directory.
#   steps_begin LOG NAME      start (or empty) the log and name it
#   step WHAT COMMAND...      run a command quietly
#   configure WHAT BUILD_DIR [CMAKE ARGS]...
#   build WHAT BUILD_DIR      cmake --build, showing its percentage
#   run_ctest WHAT ARGS...    ctest under scripts/with-xvfb, showing N/M and failures as they come,
#                             then ctest's closing lines

steps_log=/dev/null
steps_tty=0
[[ -t 1 ]] && steps_tty=1

# Under CI (CI=true) each step also says how long it took.
_steps_took() {  # WHAT START_SECONDS
    [[ ${CI:-} == true ]] || return 0
    local s=$((SECONDS - $2))
    printf '  %s: %d:%02d\n' "$1" $((s / 60)) $((s % 60))
}

steps_begin() {
    steps_log=$1
    mkdir -p "$(dirname "$steps_log")"
    : >"$steps_log"
    echo "$2: the full log is $steps_log"
}

steps_fail() {  # WHAT STATUS
    echo "$1: failed (status $2); the last lines of $steps_log:" >&2
    tail -n 40 "$steps_log"  # on standard output, where ctest wrote its lines before
    exit "$2"
}

step() {
    local what=$1 start=$SECONDS
    shift
    echo "  $what"
    echo "==== $what: $*" >>"$steps_log"
    local status=0
    "$@" >>"$steps_log" 2>&1 || status=$?
    [[ $status -eq 0 ]] || steps_fail "$what" "$status"
    _steps_took "$what" "$start"
}

# VELMORA_WERROR=ON in the environment (CI sets it) makes warnings errors;
# every configure sets it, so a build directory CI used once does not keep it.
configure() {
    local what=$1 dir=$2
    shift 2
    step "$what" cmake -S "$steps_root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELMORA_WERROR="${VELMORA_WERROR:-OFF}" "$@"
}

# Shows a count that grows: in place on a terminal, else at each quarter.
_steps_progress() {  # LABEL DONE TOTAL
    local label=$1 done=$2 total=$3
    if [[ $steps_tty -eq 1 ]]; then
        printf '\r  %s %s' "$label" "$([[ $total == % ]] && echo "$done%" || echo "$done/$total")"
        return
    fi
    local percent=$done
    [[ $total != % && $total -gt 0 ]] && percent=$((100 * done / total))
    if [[ $percent -ge $_steps_next ]]; then
        echo "  $label $percent%"
        _steps_next=$(((percent / 25 + 1) * 25))
    fi
}

_steps_end_progress() {
    [[ $steps_tty -eq 1 ]] && printf '\n'
    return 0
}

build() {
    local what=$1 dir=$2 highest=0 line status=0 start=$SECONDS
    echo "==== $what: cmake --build $dir" >>"$steps_log"
    _steps_next=25
    [[ $steps_tty -eq 1 ]] || echo "  $what"
    while IFS= read -r line; do
        echo "$line" >>"$steps_log"
        # Makefiles print "[ 42%] ...", Ninja "[12/340] ...".
        if [[ $line =~ ^\[\ *([0-9]+)%\] ]]; then
            local p=${BASH_REMATCH[1]}
            if ((p > highest)); then
                highest=$p
                _steps_progress "$what" "$p" %
            fi
        elif [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]]; then
            _steps_progress "$what" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
        fi
    done < <(set +e; cmake --build "$dir" -j"$(nproc)" 2>&1; echo "==== status $?")
    _steps_end_progress
    status=$(tail -n 1 "$steps_log" | sed -n 's/^==== status //p')
    [[ ${status:-1} -eq 0 ]] || steps_fail "$what" "${status:-1}"
    _steps_took "$what" "$start"
}

run_ctest() {
    local what=$1 line status summary_from start=$SECONDS
    shift
    echo "==== $what: ctest $*" >>"$steps_log"
    summary_from=$(($(wc -l <"$steps_log") + 1))
    _steps_next=25
    [[ $steps_tty -eq 1 ]] || echo "  $what"
    while IFS= read -r line; do
        echo "$line" >>"$steps_log"
        if [[ $line =~ ^\ *([0-9]+)/([0-9]+)\ Test ]]; then
            _steps_progress "$what" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
            # "N/M Test #K: NAME ....   Passed    0.12 sec": the verdict is what
            # follows the name and its dots, never the name itself.
            if [[ $line =~ ^\ *[0-9]+/[0-9]+\ Test\ +#[0-9]+:\ +[^\ ]+\ +\.*\ *(\*\*\*)?(Failed|Exception|Timeout|Not\ Run) ]]; then
                [[ $steps_tty -eq 1 ]] && printf '\n'
                echo "    $line"
            fi
        fi
    done < <(set +e; "$steps_root/scripts/with-xvfb" ctest "$@" 2>&1; echo "==== status $?")
    _steps_end_progress
    status=$(tail -n 1 "$steps_log" | sed -n 's/^==== status //p')
    # On a failure the log's last lines hold ctest's closing lines and its
    # list of failed tests; else show those closing lines ("N% tests passed"),
    # as ctest wrote them, for whatever reads them.
    [[ ${status:-1} -eq 0 ]] || steps_fail "$what" "${status:-1}"
    tail -n +"$summary_from" "$steps_log" | sed -n '/tests passed/,$p' | grep -v '^==== status'
    _steps_took "$what" "$start"
}
