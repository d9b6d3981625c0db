# Shared helpers of the end-to-end tests, sourced by each test script.
# They run inside tools/wine-session (DISPLAY and wineserver are set up).
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env"
shots="$velmo_root/build/screenshots"
mkdir -p "$shots"

fail() { echo "FAIL: $*" >&2; exit 1; }

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
