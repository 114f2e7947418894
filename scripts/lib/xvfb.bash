# Sourced by every script that needs a private X server (scripts/with-xvfb,
# scripts/test-windows, tools/screenshots, bench/soak/soak):
#   xvfb_start NAME SCREEN   starts Xvfb (GLX, no TCP, -noreset for setxkbmap)
#                            with one screen of SCREEN (e.g. 1920x1080x24) on a
#                            free display number and exports DISPLAY; says so
#                            in one line and ends the script with status 1 when
#                            it does not start.
# From then on, however the script ends (its last line, exit, a failed command
# under set -e, INT or TERM), the server is stopped by its own pid, after the
# script's own function xvfb_before_stop, when it defines one, has ended what it
# started on it; the script's exit status stays its own.

xvfb_pid=
xvfb_fifo=

_xvfb_exit() {
    local status=$?
    set +e
    declare -F xvfb_before_stop >/dev/null && xvfb_before_stop
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    [[ -n $xvfb_fifo ]] && rm -f "$xvfb_fifo"
    exit "$status"
}

xvfb_start() {  # NAME SCREEN
    command -v Xvfb >/dev/null || { echo "$1: Xvfb is not installed (package xvfb)" >&2; exit 1; }
    trap _xvfb_exit EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    xvfb_fifo=$(mktemp -u)
    mkfifo "$xvfb_fifo"
    Xvfb -displayfd 3 -screen 0 "$2" +extension GLX -nolisten tcp -noreset 3>"$xvfb_fifo" \
        2>/dev/null &
    xvfb_pid=$!
    local number
    read -r -t 20 number <"$xvfb_fifo" || { echo "$1: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$number"
}
