#!/bin/bash
# The real installer inside a test network (tools/netns-session), beside the
# stand-ins of the device console tool, the driver setup, the script host,
# printui and the printers folder, with a network printer responder on the
# printer host. The product sits in a folder whose path holds blanks, and the
# installer is started with C:\ as its current folder, as from a shortcut. It must list the scripted USB printer and the responder's
# printer, drop the USB printer when it is unplugged, install the network
# printer taken over by a double-click, and then the USB printer, whose
# queue the device console stand-in's restart sets up as plug and play
# would. The stand-ins' log holds the exact command lines in order, and
# each new queue becomes the default printer; the program ends with 0.
# Usage: e2e_discovery.sh <Qindle.exe> <winctl.exe> <stand-ins folder>
. "$(dirname "$0")/../tests/e2e/lib.sh"
. "$(dirname "$0")/e2e_stage.sh"
program=$1 WINCTL=$2 standins=$3
require_test_network
stage="$velmo_root/build/installer-discovery-stage/Velmo Driver (x86)"
log="$stage/standin.log"
usb_id='USBPRINT\VELMOLT42\7&2A1F3C5&0&USB001'
queue="Velmo LT43-$VELMO_PRINTER_IP"

# The spooler's default-printer call is imported by its name, not an ordinal.
imports=$(x86_64-w64-mingw32-objdump -p "$program") || fail "cannot read the imports of $program"
grep -qE '\s[0-9]+ +SetDefaultPrinterW$' <<<"$imports" || fail "SetDefaultPrinterW is not imported by name"

rm -rf "$(dirname "$stage")"
stage_installer "$(dirname "$stage")/system tools"
forget_queues "$queue" "Velmo LT42"

ip netns exec "$VELMO_PRINTER_NS" "$velmo_root/tools/printer-responder" \
  --reply "IP:$VELMO_PRINTER_IP;DEVICENAME:lt43;" --log "$stage/responder.log" &
responder=$!
trap 'kill $responder 2>/dev/null' EXIT
wait_log "$stage/responder.log" ready 10 || fail "the responder did not start"

rows() { winctl rows "$title"; }
# wait_rows <expected rows, one per line> <seconds>
wait_rows() {
  local deadline=$((SECONDS + $2))
  until [ "$(rows)" = "$1" ]; do
    [ $SECONDS -ge $deadline ] && { screenshot installer_discovery_unexpected_rows; return 1; }
    sleep 0.2
  done
}
# start_installer <language value>: full mode, started from C:\; sets title
# and installer.
start_installer() {
  [ "$1" = English ] && title="InstallPrinter" || title="安装打印机"
  (cd "$WINEPREFIX/drive_c" && exec "$velmo_wine" "$stage/Qindle.exe" "-language:$1" >/dev/null 2>&1) &
  installer=$!
  winctl wait "$title" 20000 >/dev/null || fail "no installer window"
}
# ended_well <what>: the installer ended in time with exit code 0.
ended_well() {
  wait_exit $installer 30 || { kill $installer; fail "the installer did not end after $1"; }
  wait $installer
  local code=$?
  [ $code = 0 ] || fail "the installer ended with $code after $1"
}
# commands: the logged command lines other than the status queries, the
# program folder's (the driver setup, devcon) before the system tools'.
commands() { { grep -v ' status USBPRINT' "$log"; cat "$tools_log"; } 2>/dev/null; }
# expect_commands <what> <lines>: the printers folder starts without being
# waited for, so its lines may come a moment after the installer ended.
expect_commands() {
  local deadline=$((SECONDS + 5))
  until [ "$(commands)" = "$2" ]; do
    [ $SECONDS -ge $deadline ] && fail "$1 ran:
$(commands)
expected:
$2"
    sleep 0.2
  done
}
folder=$(winepath -w "$stage" 2>/dev/null)

# 1. Both printers are found; the unplugged one goes; the network one is installed.
plug
start_installer chinese
usb_row="Velmo LT42|USB001"
net_row="Velmo LT43|$VELMO_PRINTER_IP"
wait_rows "$usb_row"$'\n'"$net_row" 10 || fail "found rows: $(rows | tr '\n' ';')"
grep -qxF "\"$folder\\devcon_x64.exe\" status USBPRINT\\VELMO*" "$log" || fail "no status query: $(head -2 "$log")"
screenshot installer_discovery_found
unplug
wait_rows "$net_row" 5 || fail "after the unplug: $(rows | tr '\n' ';')"
winctl double-click-row "$title" 0 || fail "no row to double-click"
sleep 1
screenshot installer_discovery_network_choice
[ -z "$(commands)" ] || fail "something ran before the install: $(commands)"
winctl click "$title" "安装" || fail "no install button"
ended_well "the network install"
tool="\"$VELMO_DEV_TOOLS_DIR\\"
expected="\"$folder\\Drovik.exe\"
${tool}cscript.exe\" \"$folder\\prnport.vbs\" -a -r IP_$VELMO_PRINTER_IP -h $VELMO_PRINTER_IP -n 9100 -o raw
${tool}rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"$queue\" /r \"IP_$VELMO_PRINTER_IP\" /m \"Velmo LT43\"
${tool}control.exe\" printers
${tool}control.exe\" printers"
expect_commands "the network install" "$expected"
default_printer "$queue" || fail "the new network queue is not the default printer"

# 2. The USB printer, plugged in again, is installed with the USB choice,
# this time in English.
: >"$log"
: >"$tools_log"
plug
start_installer English
wait_rows "$usb_row"$'\n'"$net_row" 10 || fail "found rows: $(rows | tr '\n' ';')"
screenshot installer_discovery_found_en
winctl click "$title" "Install" || fail "no install button"
ended_well "the USB install"
expected="\"$folder\\Drovik.exe\"
\"$folder\\\\devcon_x64.exe\" rescan
\"$folder\\\\devcon_x64.exe\" restart *class_07*
${tool}control.exe\" printers"
expect_commands "the USB install" "$expected"
default_printer "Velmo LT42," || fail "the USB printer's new queue is not the default printer"
echo "queries answered: $(grep -c query "$stage/responder.log"); screenshots in $shots/installer_discovery_*.png"
