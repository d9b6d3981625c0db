#!/bin/bash
# velmocfg against the printer emulator over its pipes: every command and the
# exit codes, two printers for -all, and one that keeps old values.
#   velmocfg.sh <velmocfg.exe of the emulator-finding build> <printer_emulator.exe>
. "$(dirname "$0")/lib.sh"
VELMOCFG=$1 EMULATOR=$2
work="$velmo_root/build/e2e-velmocfg"
rm -rf "$work" && mkdir -p "$work"
cd "$work" || fail "no work folder"

pipe_a='\\.\pipe\velmocfg-e2e-a' pipe_b='\\.\pipe\velmocfg-e2e-b' pipe_c='\\.\pipe\velmocfg-e2e-c'
"$velmo_wine" "$EMULATOR" \
  --pipe "$pipe_a" --restart-ms 300 --set PRINT_MODE=2 --set PRINT_DARKNESS=-3 --set WIFI_CONFIG_SSID=Lager \
  --set WIFI_CONFIG_PASSWORD=wifi-secret --set LAN_CONFIG_IPADDRESS=192.168.7.20 \
  --pipe "$pipe_b" --restart-ms 300 --set AUTO_FEED=0 --set BLUETOOTH_NAME=Kasse \
  --pipe "$pipe_c" --restart-ms 300 --ignore-writes PRINT_MODE >emulator.log 2>&1 &
emulator=$!
trap 'kill $emulator 2>/dev/null; wait $emulator 2>/dev/null' EXIT
for _ in $(seq 100); do grep -q velmocfg-e2e-c emulator.log && break; sleep 0.1; done

export VELMO_PRINTER_PIPE="Velmo A=$pipe_a;Velmo B=$pipe_b"
# run <expected exit code> <args...>: stdout in out.txt, stderr in err.txt.
run() {
  local expected=$1 code
  shift
  "$velmo_wine" "$VELMOCFG" "$@" >out.txt 2>err.txt
  code=$?
  tr -d '\r' <out.txt >out.clean && mv out.clean out.txt
  [ "$code" = "$expected" ] || fail "velmocfg $* exited $code, expected $expected: $(cat err.txt)"
}
expect_out() { grep -qF -- "$1" out.txt || fail "expected '$1' in: $(cat out.txt)"; }
expect_err() { grep -qF -- "$1" err.txt || fail "expected '$1' on standard error: $(cat err.txt)"; }
ms() { date +%s%3N; }

start=$(ms); run 0 --help; start_ms=$(($(ms) - start))
expect_out "usage: velmocfg"
run 2 && expect_err "no command given"
run 0 list
[ "$(cat out.txt)" = $'Velmo A\nVelmo B' ] || fail "list printed: $(cat out.txt)"
run 3 show && expect_err "several printers are present"

start=$(ms); run 0 show -printer:"Velmo A"; show_ms=$(($(ms) - start))
expect_out "# model: Velmo LT42"
expect_out "# firmware: 2.1.7"
expect_out "PRINT_DARKNESS=-3"
expect_out "WIFI_CONFIG_PASSWORD=wifi-secret"
run 0 get PRINT_MODE LAN_CONFIG_IPADDRESS -printer:"Velmo A"
[ "$(cat out.txt)" = $'PRINT_MODE=2\nLAN_CONFIG_IPADDRESS=192.168.7.20' ] || fail "get printed: $(cat out.txt)"

# A text in the code page (936 here) goes there and back; one it cannot carry is refused.
run 0 set "BLUETOOTH_NAME_LE=仓库 2" AUTO_REPRINT=1 -printer:"Velmo A" && expect_out "Velmo A: saved and verified"
run 0 get BLUETOOTH_NAME_LE AUTO_REPRINT -printer:"Velmo A"
[ "$(cat out.txt)" = $'BLUETOOTH_NAME_LE=仓库 2\nAUTO_REPRINT=1' ] || fail "get after set printed: $(cat out.txt)"
run 2 set "BLUETOOTH_NAME=กข" -printer:"Velmo A" && expect_err "code page"

run 0 export plain.profile -printer:"Velmo A"
grep -q PASSWORD plain.profile && fail "a password went into an export without -with-secrets"
grep -q "wifi-secret" plain.profile && fail "the Wi-Fi password went into an export without -with-secrets"
grep -qF "# passwords left out" plain.profile || fail "the export does not say that passwords are left out"
run 0 export full.profile -printer:"Velmo A" -with-secrets
grep -qF "WIFI_CONFIG_PASSWORD=wifi-secret" full.profile || fail "no password in an export -with-secrets"

run 0 diff full.profile -printer:"Velmo B"
expect_out "PRINT_MODE: 0 -> 2"
expect_out "BLUETOOTH_NAME: Kasse -> LT42"
run 0 import full.profile -printer:"Velmo B" -dry-run && expect_out "AUTO_FEED: 0 -> 1"
start=$(ms); run 0 import full.profile -printer:"Velmo B"; import_ms=$(($(ms) - start))
expect_out "Velmo B: saved and verified"
run 0 diff full.profile -printer:"Velmo B"
[ -s out.txt ] && fail "the second printer still differs: $(cat out.txt)"
run 0 import full.profile -all
expect_out "Velmo A: nothing to change"
expect_out "Velmo B: nothing to change"

printf 'PRINT_MODE=1\nPRINT_MODE=3\nCOLOUR=red\n' >bad.profile
run 2 import bad.profile -printer:"Velmo B" && expect_err "bad.profile line 2"
expect_err "bad.profile line 3: unknown key"

for action in beep selftest restart factory-reset; do run 0 run "$action" -printer:"Velmo A"; done
run 0 get PRINT_MODE -printer:"Velmo A"
[ "$(cat out.txt)" = "PRINT_MODE=0" ] || fail "factory-reset left: $(cat out.txt)"

# The one printer present, which answers writes of PRINT_MODE but keeps the old value.
export VELMO_PRINTER_PIPE="Velmo C=$pipe_c"
run 5 set PRINT_MODE=1 && expect_err "did not take: PRINT_MODE: 0 -> 1"
run 0 set AUTO_FEED=0

echo "timing: process start ${start_ms} ms, show ${show_ms} ms, import of the full profile ${import_ms} ms"
echo "PASS"
