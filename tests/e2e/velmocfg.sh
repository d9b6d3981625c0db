#!/bin/bash
# velmocfg against the printer emulator over its pipes: every command and the
# exit codes, printers for -all, one that keeps old values, one that drops
# off the bus mid-import, one whose firmware lacks a key, secrets, UTF-16
# profiles, -json, -keep, -fleet and two programs at one printer.
#   velmocfg.sh <velmocfg.exe of the emulator-finding build> <printer_emulator.exe>
. "$(dirname "$0")/lib.sh"
VELMOCFG=$1 EMULATOR=$2
work="$velmo_root/build/e2e-velmocfg"
rm -rf "$work" && mkdir -p "$work"
cd "$work" || fail "no work folder"

pipe() { echo "\\\\.\\pipe\\velmocfg-e2e-$1"; }
"$velmo_wine" "$EMULATOR" \
  --pipe "$(pipe a)" --restart-ms 300 --set PRINT_MODE=2 --set PRINT_DARKNESS=-3 --set WIFI_CONFIG_SSID=Lager \
  --set WIFI_CONFIG_PASSWORD=wifi-secret --set LAN_CONFIG_IPADDRESS=192.168.7.20 \
  --pipe "$(pipe b)" --restart-ms 300 --set AUTO_FEED=0 --set BLUETOOTH_NAME=Kasse \
  --pipe "$(pipe c)" --restart-ms 300 --ignore-writes PRINT_MODE \
  --pipe "$(pipe d)" --restart-ms 300 --unplug-after-writes 3 \
  --pipe "$(pipe e)" --restart-ms 300 --unknown-key AUTO_REPRINT \
  --pipe "$(pipe f)" --first-delay-ms 490 >emulator.log 2>&1 &
emulator=$!
trap 'kill $emulator 2>/dev/null; wait $emulator 2>/dev/null' EXIT
for _ in $(seq 100); do grep -q velmocfg-e2e-f emulator.log && break; sleep 0.1; done

export VELMO_PRINTER_PIPE="Velmo A=$(pipe a);Velmo B=$(pipe b)"
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
# json <python expression over the document d>: must hold.
json() {
  python3 -c "import json,sys; d=json.load(open('out.txt')); sys.exit(0 if ($1) else 1)" ||
    fail "JSON check '$1' failed on: $(cat out.txt)"
}
ms() { date +%s%3N; }

start=$(ms); run 0 --help; start_ms=$(($(ms) - start))
expect_out "usage: velmocfg"
run 2 && expect_err "no command given"
run 0 list
[ "$(cat out.txt)" = $'Velmo A\tVelmo LT42\t2.1.7\nVelmo B\tVelmo LT42\t2.1.7' ] || fail "list printed: $(cat out.txt)"
run 0 list -json
json "[p['name'] for p in d['printers']] == ['Velmo A', 'Velmo B'] and d['printers'][0]['firmware'] == '2.1.7'"
run 3 show && expect_err "several printers are present"

start=$(ms); run 0 show -printer:"Velmo A"; show_ms=$(($(ms) - start))
expect_out "# model: Velmo LT42"
expect_out "# firmware: 2.1.7"
expect_out "PRINT_DARKNESS=-3"
expect_out "WIFI_CONFIG_PASSWORD=***"
grep -q wifi-secret out.txt && fail "show printed a password without -with-secrets"
run 0 show -printer:"Velmo A" -with-secrets && expect_out "WIFI_CONFIG_PASSWORD=wifi-secret"
run 0 get PRINT_MODE LAN_CONFIG_IPADDRESS -printer:"Velmo A"
[ "$(cat out.txt)" = $'PRINT_MODE=2\nLAN_CONFIG_IPADDRESS=192.168.7.20' ] || fail "get printed: $(cat out.txt)"

# A text in the code page (936 here) goes there and back; one it cannot carry is refused.
run 0 set "BLUETOOTH_NAME_LE=仓库 2" AUTO_REPRINT=1 -printer:"Velmo A" && expect_out "Velmo A: saved and verified"
run 0 get BLUETOOTH_NAME_LE AUTO_REPRINT -printer:"Velmo A"
[ "$(cat out.txt)" = $'BLUETOOTH_NAME_LE=仓库 2\nAUTO_REPRINT=1' ] || fail "get after set printed: $(cat out.txt)"
run 2 set "BLUETOOTH_NAME=กข" -printer:"Velmo A" && expect_err "code page"
# A secret from standard input, blanks and all, never echoed.
printf ' bt secret \r\n' | "$velmo_wine" "$VELMOCFG" set BLUETOOTH_PASSWORD=- -printer:"Velmo A" >out.txt 2>err.txt ||
  fail "set from standard input failed: $(cat err.txt)"
grep -q "bt secret" out.txt err.txt && fail "set printed the secret it read"
run 0 get BLUETOOTH_PASSWORD -printer:"Velmo A" -with-secrets
[ "$(cat out.txt)" = 'BLUETOOTH_PASSWORD=" bt secret "' ] || fail "the secret from standard input became: $(cat out.txt)"

run 0 export plain.profile -printer:"Velmo A"
grep -q PASSWORD plain.profile && fail "a password went into an export without -with-secrets"
grep -qF "# passwords left out" plain.profile || fail "the export does not say that passwords are left out"
run 0 export full.profile -printer:"Velmo A" -with-secrets
grep -qF "WIFI_CONFIG_PASSWORD=wifi-secret" full.profile || fail "no password in an export -with-secrets"
# Its own export imports into the same printer and changes nothing.
run 0 import full.profile -printer:"Velmo A" && expect_out "Velmo A: nothing to change"

run 1 diff full.profile -printer:"Velmo B"
expect_out "PRINT_MODE: 0 -> 2"
expect_out "BLUETOOTH_NAME: Kasse -> LT42"
expect_out "WIFI_CONFIG_PASSWORD: *** -> ***"
run 0 import full.profile -printer:"Velmo B" -dry-run && expect_out "Velmo B: AUTO_FEED: 0 -> 1"
# Notepad's "Unicode": UTF-16 little-endian with its mark.
iconv -f UTF-8 -t UTF-16 full.profile >unicode.profile
start=$(ms); run 0 import unicode.profile -printer:"Velmo B"; import_ms=$(($(ms) - start))
expect_out "Velmo B: saved and verified"
run 0 diff full.profile -printer:"Velmo B"
[ -s out.txt ] && fail "the second printer still differs: $(cat out.txt)"
printf 'PRINT_MODE=1\n' | iconv -f UTF-8 -t UTF-16LE >bare16.profile
run 2 import bare16.profile -printer:"Velmo B" && expect_err "UTF-16"
[ "$(wc -l <err.txt)" = 1 ] || fail "an unreadable profile took more than one line: $(cat err.txt)"

# Per-printer settings stay: -keep on import, -fleet on export.
run 0 export fleet.profile -fleet -printer:"Velmo A"
grep -q "LAN_CONFIG_IPADDRESS=" fleet.profile && fail "a fleet profile holds the printer's own address"
run 0 set LAN_CONFIG_IPADDRESS=10.0.0.9 -printer:"Velmo B"
run 0 import full.profile -printer:"Velmo B" -keep:LAN_CONFIG_IPADDRESS && expect_out "nothing to change"
run 0 get LAN_CONFIG_IPADDRESS -printer:"Velmo B"
[ "$(cat out.txt)" = "LAN_CONFIG_IPADDRESS=10.0.0.9" ] || fail "-keep changed the address: $(cat out.txt)"

run 0 import full.profile -all -keep:LAN_CONFIG_IPADDRESS -json
json "d['exit_code'] == 0 and [p['outcome'] for p in d['printers']] == ['nothing to change'] * 2"
json "d['summary'] == '2 printers: 2 nothing to change'"

printf 'PRINT_MODE=1\nPRINT_MODE=3\nCOLOUR=red\n' >bad.profile
run 2 import bad.profile -printer:"Velmo B" && expect_err "bad.profile line 2"
expect_err "bad.profile line 3: unknown key"

for action in beep selftest restart factory-reset; do run 0 run "$action" -printer:"Velmo A"; done
run 0 get PRINT_MODE -printer:"Velmo A"
[ "$(cat out.txt)" = "PRINT_MODE=0" ] || fail "factory-reset left: $(cat out.txt)"

# Two queues of one printer are one printer; the one that keeps old values
# gives -all its worst code and a summary.
export VELMO_PRINTER_PIPE="Velmo A=$(pipe a);Velmo A copy=$(pipe a);Velmo C=$(pipe c)"
printf 'PRINT_MODE=1\n' >mode.profile
run 5 import mode.profile -all
expect_out "2 printers: 1 saved and verified, 1 failed (Velmo C: exit 5)"
expect_err "Velmo C: did not take: PRINT_MODE: 0 -> 1"

# A printer that drops off after the third write: put back, and the re-run saves.
export VELMO_PRINTER_PIPE="Velmo D=$(pipe d)"
printf 'PRINT_MODE=1\nAUTO_FEED=0\nAUTO_REPRINT=1\nPRINT_ONLY_ONE_PAGE=1\n' >four.profile
run 4 import four.profile && expect_err "put back: nothing was changed"
run 0 get PRINT_MODE AUTO_FEED
[ "$(cat out.txt)" = $'PRINT_MODE=0\nAUTO_FEED=1' ] || fail "the dropped import left: $(cat out.txt)"
run 0 import four.profile && expect_out "Velmo D: saved and verified"
run 0 run restart
run 0 diff four.profile

# A firmware without AUTO_REPRINT: refused with its line before any write.
export VELMO_PRINTER_PIPE="Velmo E=$(pipe e)"
run 2 import four.profile && expect_err "four.profile line 3: AUTO_REPRINT: this printer's firmware does not know"
run 0 get PRINT_MODE
[ "$(cat out.txt)" = "PRINT_MODE=0" ] || fail "a refused profile wrote: $(cat out.txt)"
printf '# model: Velmo LT80\nPRINT_MODE=1\n' >other-model.profile
run 2 import other-model.profile && expect_err "the profile is for a Velmo LT80"

# Two programs at one printer: an import into a printer that answers each
# request after half a second holds it for about half a minute; a second
# program waits 10 s for it, then gives up.
export VELMO_PRINTER_PIPE="Velmo F=$(pipe f)"
"$velmo_wine" "$VELMOCFG" import four.profile >holder.txt 2>&1 &
holder=$!
sleep 4
start=$(ms); run 4 get PRINT_MODE; held_ms=$(($(ms) - start))
expect_err "Velmo F: in use by another program"
[ "$held_ms" -ge 9500 ] || fail "the second program gave up after $held_ms ms, not after waiting 10 s"
kill -0 $holder 2>/dev/null || fail "the import that held the printer ended early: $(cat holder.txt)"
kill $holder

echo "timing: process start ${start_ms} ms, show ${show_ms} ms, import of the full profile ${import_ms} ms"
echo "PASS"
