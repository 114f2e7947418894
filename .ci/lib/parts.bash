# Sourced by .ci/run and by the lanes in fresh roots (through .ci/lib/root.bash):
# each part says what it runs and, once done, how long it took. The caller sets
# parts_name, its lines' prefix.
#   minutes SECONDS        SECONDS as m:ss
#   part WHAT COMMAND...   runs one part and says how long it took
#   side_by_side "COMMAND ARGS"...  runs them at once; each one's output is shown
#                          whole once it has ended

minutes() { printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); }

part() {
    local what=$1 start=$SECONDS
    shift
    echo "$parts_name: $what"
    "$@"
    echo "$parts_name: $what: $(minutes $((SECONDS - start)))"
}

side_by_side() {  # "COMMAND ARGS"...
    local start=$SECONDS logs i status=0 pids=()
    logs=$(mktemp -d)
    for ((i = 1; i <= $#; i++)); do
        echo "$parts_name: ${!i} (side by side)"
        bash -c "${!i}" >"$logs/$i" 2>&1 &
        pids+=($!)
    done
    for ((i = 1; i <= $#; i++)); do
        wait "${pids[i - 1]}" || status=1
        echo "$parts_name: ${!i}: its output"
        cat "$logs/$i"
    done
    rm -rf "$logs"
    echo "$parts_name: side by side: $(minutes $((SECONDS - start)))"
    return "$status"
}
