# Sourced by .ci/run and .ci/debian13: each part says what it runs and, once
# done, how long it took. The caller sets parts_name, its lines' prefix.
#   minutes SECONDS        SECONDS as m:ss
#   part WHAT COMMAND...   runs one part and says how long it took

minutes() { printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); }

part() {
    local what=$1 start=$SECONDS
    shift
    echo "$parts_name: $what"
    "$@"
    echo "$parts_name: $what: $(minutes $((SECONDS - start)))"
}
