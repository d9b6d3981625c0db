# Shared helpers of the end-to-end tests, sourced by each test script.
# They run inside tools/wine-session (DISPLAY and wineserver are set up).
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env"
shots="$velmo_root/build/screenshots"
mkdir -p "$shots"

fail() { echo "FAIL: $*" >&2; exit 1; }

# For a script that starts the installer, which queries the network at once.
require_test_network() {
  [ -n "${VELMO_TEST_NETWORK:-}" ] || fail "the installer queries the network: run this inside tools/netns-session"
}

winctl() { "$velmo_wine" "$WINCTL" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

screenshot() { import -display "$DISPLAY" -window root "$shots/$1.png" || fail "screenshot $1"; }

# wait_exit <pid> <seconds>: true when the process ended in time.
wait_exit() {
  local pid=$1 deadline=$((SECONDS + $2))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

page_title="Velmo LT42 打印首选项"

# start_page <log> [feature file]: the reference driver page with the settings
# program in it; sets page_pid.
start_page() {
  local features=${2:-$DRIVER_PAGE_DIR/velmo_lt42.features}
  "$velmo_wine" "$DRIVER_PAGE" "--program=$(winepath -w "$PROGRAM" 2>/dev/null)" \
    "--features=$(winepath -w "$features" 2>/dev/null)" "--log=$(winepath -w "$1" 2>/dev/null)" \
    >/dev/null 2>&1 &
  page_pid=$!
}

# log_time <log> <pattern>: the time (ms) of the first line matching.
log_time() { grep -m1 -- "$2" "$1" | cut -d' ' -f1; }

# wait_log <log> <pattern> <seconds>
wait_log() {
  local deadline=$((SECONDS + $3))
  until grep -q -- "$2" "$1" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# program_processes: the settings program's live processes. Wine names its
# processes after the program file (cut to 15 characters); matching on the
# name, not the command line, leaves out the test scripts themselves, and an
# ended process its parent has not reaped yet does not count.
program_processes() { ps -eo pid=,stat=,comm= | awk '$2 !~ /^Z/ && $3 ~ /^drv_velmo_oemui/'; }
no_program_left() { [ -z "$(program_processes)" ]; }
