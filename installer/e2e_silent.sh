#!/bin/bash
# The real installer's silent mode inside a test network (tools/netns-session),
# beside the stand-ins and the sample driver package, with a network printer
# responder on the printer host: a silent network install and a silent USB
# install run the window's command lines (the printers folder aside), make
# the new queue the default printer, log every step and end with 0; each
# failing case ends with its exit code and installs nothing. The address
# check is answered by the responder and unanswered where nothing listens,
# in the log and in the window. An uninstall removes the queue, its record
# and its port once no other queue uses it.
# Usage: e2e_silent.sh <Qindle.exe> <winctl.exe> <stand-ins folder>
. "$(dirname "$0")/../tests/e2e/lib.sh"
. "$(dirname "$0")/e2e_stage.sh"
program=$1 WINCTL=$2 standins=$3
require_test_network
stage="$velmo_root/build/installer-silent-stage"
log="$stage/standin.log"
silent_log="$stage/silent.log"
usb_id='USBPRINT\VELMOLT42\7&2A1F3C5&0&USB001'
ip=$VELMO_PRINTER_IP
nobody=10.231.0.3  # on the test network, where nothing listens
queue="Velmo LT43-$ip"

stage_installer "$stage/system-tools"
folder=$(winepath -w "$stage" 2>/dev/null)
forget_queues "$queue" "Velmo LT42" "Velmo LT42-$nobody"
queue_exists() {
  "$velmo_wine" reg query "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$1" >/dev/null 2>&1
}

ip netns exec "$VELMO_PRINTER_NS" "$velmo_root/tools/printer-responder" \
  --reply "IP:$ip;DEVICENAME:lt43;" --log "$stage/responder.log" &
responder=$!
trap 'kill $responder 2>/dev/null' EXIT
wait_log "$stage/responder.log" ready 10 || fail "the responder did not start"

# silent <arguments...>: runs the installer from its folder, sets code and
# the run's duration in ms; the program must end within a minute.
silent() {
  local start=$(date +%s%N)
  (cd "$stage" && exec timeout 60 "$velmo_wine" Qindle.exe "$@" >/dev/null 2>&1)
  code=$?
  took=$((($(date +%s%N) - start) / 1000000))
}
# The program folder's log (the driver setup, devcon), then the system tools'.
commands() { { grep -v ' status USBPRINT' "$log"; cat "$tools_log"; } 2>/dev/null; }
clear_logs() { : >"$log"; : >"$tools_log"; }
# logged <step> <command> <result pattern>: a line of the silent log.
logged() {
  grep -qP "^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\t\d+\t\Q$1\E\t\Q$2\E\t$3\r?$" "$silent_log" ||
    fail "no log line \"$1 | $2 | $3\" in:
$(cat "$silent_log")"
}
no_window() { winctl wait "安装打印机" 1 >/dev/null || winctl wait "InstallPrinter" 1 >/dev/null; }

# 1. A silent network install, in any order, with quotes and the model in
# another case; the address check is answered by the responder.
silent -ip:$ip '"-model:velmo lt43"' -silent -language:english "-log:$folder\\silent.log"
[ $code = 0 ] || fail "the silent network install ended with $code: $(cat "$silent_log")"
network_ms=$took
expected="\"$folder\\Drovik.exe\"
\"$VELMO_DEV_TOOLS_DIR\\cscript.exe\" \"$folder\\prnport.vbs\" -a -r IP_$ip -h $ip -n 9100 -o raw
\"$VELMO_DEV_TOOLS_DIR\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"$queue\" /r \"IP_$ip\" /m \"Velmo LT43\""
[ "$(commands)" = "$expected" ] || fail "the silent network install ran:
$(commands)
expected the window's install without the printers folder:
$expected"
default_printer "$queue" || fail "the silent network queue is not the default printer"
logged start "-ip:$ip \"-model:velmo lt43\" -silent -language:english -log:$folder\\silent.log" "silent installation"
logged language 'reg add "HKLM\SOFTWARE\DARVOLT\Printer" /v drv_language /t REG_SZ /d "english" /f' 'exit code 0'
logged "address check" "\"0\" to $ip:3000" "Velmo LT43 answered at $ip after \d+ ms"
logged "driver setup" "$folder\\Drovik.exe" "exit code 0"
logged port "\"$VELMO_DEV_TOOLS_DIR\\cscript.exe\" \"$folder\\prnport.vbs\" -a -r IP_$ip -h $ip -n 9100 -o raw" "exit code 0"
logged queue "\"$VELMO_DEV_TOOLS_DIR\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"$queue\" /r \"IP_$ip\" /m \"Velmo LT43\"" \
  "exit code 0"
logged "queue wait" "" "found \"$queue\" on port IP_$ip"
logged "default printer" "" "$queue"
logged "install record" "HKLM\\SOFTWARE\\DARVOLT\\Printer\\Installed\\$queue" written
logged end "" "exit code 0"
# record <value>: the install record's value, as a deployment tool detects it.
record() {
  "$velmo_wine" reg query "HKLM\\SOFTWARE\\DARVOLT\\Printer\\Installed\\$queue" /v "$1" 2>/dev/null |
    tr -d '\r' | grep -oP "REG_SZ\s+\K.*"
}
[ "$(record Model)|$(record Port)|$(record Address)|$(record Version)" = "Velmo LT43|IP_$ip|$ip|1.0.0.1" ] ||
  fail "the install record: $(record Model)|$(record Port)|$(record Address)|$(record Version)"
record Time | grep -qP '^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$' || fail "the install record has no time"
grep -q "query from 10.231.0.1" "$stage/responder.log" || fail "the responder saw no check"

# 1b. Uninstalling by the queue's name: printui /dl and the record deleted;
# the port stays while another queue (added here by the stand-in) uses it,
# and goes with the last one, which has no record.
uninstall_log="$stage/uninstall.log"
other="Velmo LT42-$ip"
"$velmo_wine" "$tools/rundll32.exe" printui.dll PrintUIEntry /if /b "$other" /r "IP_$ip" /m "Velmo LT42" \
  >/dev/null 2>&1
queue_exists "$other" || fail "the stand-in added no second queue on IP_$ip"
clear_logs
silent -uninstall "-queue:$queue" -silent "-log:$folder\uninstall.log"
[ $code = 0 ] || fail "the uninstall ended with $code: $(cat "$uninstall_log")"
queue_exists "$queue" && fail "the uninstalled queue is still there"
queue_exists "$other" || fail "the uninstall removed the other queue"
"$velmo_wine" reg query "HKLM\\SOFTWARE\\DARVOLT\\Printer\\Installed\\$queue" >/dev/null 2>&1 &&
  fail "the install record is still there"
removal="\"$VELMO_DEV_TOOLS_DIR\\rundll32.exe\" printui.dll PrintUIEntry /q /dl /n \"$queue\""
[ "$(commands)" = "$removal" ] || fail "the uninstall ran:
$(commands)
expected only:
$removal"
silent_log=$uninstall_log logged start "-uninstall -queue:$queue -silent -log:$folder\\uninstall.log" uninstallation
silent_log=$uninstall_log logged "queue removal" "$removal" "exit code 0"
silent_log=$uninstall_log logged "queue wait" "" "\"$queue\" is gone"
silent_log=$uninstall_log logged "port removal" "" "IP_$ip kept: not the installation's, or another queue uses it"
silent_log=$uninstall_log logged "install record" "HKLM\\SOFTWARE\\DARVOLT\\Printer\\Installed\\$queue" deleted
silent_log=$uninstall_log logged end "" "exit code 0"
clear_logs
silent -silent -uninstall "-queue:$other" "-log:$folder\uninstall.log"
[ $code = 0 ] || fail "the second uninstall ended with $code: $(cat "$uninstall_log")"
queue_exists "$other" && fail "the second queue is still there"
expected="\"$VELMO_DEV_TOOLS_DIR\\rundll32.exe\" printui.dll PrintUIEntry /q /dl /n \"$other\"
\"$VELMO_DEV_TOOLS_DIR\\cscript.exe\" \"$folder\\prnport.vbs\" -d -r IP_$ip"
[ "$(commands)" = "$expected" ] || fail "the last queue's uninstall ran:
$(commands)
expected:
$expected"
# Nothing installed nor recorded: nothing to remove, nothing run; no queue
# named: exit code 2.
clear_logs
silent -uninstall "-queue:$queue" -silent "-log:$folder\uninstall.log"
[ $code = 0 ] || fail "uninstalling what is not there ended with $code"
silent_log=$uninstall_log logged queue "" "\"$queue\" is neither installed nor recorded: nothing to remove"
silent -uninstall -silent "-log:$folder\uninstall.log"
[ $code = 2 ] || fail "an uninstall without -queue: ended with $code, not 2"
[ -z "$(commands)" ] || fail "uninstalling nothing ran: $(commands)"

# 2. The check unanswered where nothing listens; the install goes on. The
# default log is Qindle.log in the temporary folder.
clear_logs
temp_log=$(winepath -u "$("$velmo_wine" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)/Qindle.log
rm -f "$temp_log"
silent -silent "-model:Velmo LT42" -ip:$nobody
[ $code = 0 ] || fail "the install to $nobody ended with $code"
silent_log=$temp_log logged "address check" "\"0\" to $nobody:3000" "nothing answered at $nobody within 1000 ms"
[ "$(commands | head -1)" = "\"$VELMO_DEV_TOOLS_DIR\\cscript.exe\" \"$folder\\prnport.vbs\" -a -r IP_$nobody -h $nobody -n 9100 -o raw" ] ||
  fail "no port for $nobody: $(commands)"

# 3. A silent USB install.
clear_logs
plug
silent -silent -usb -language:English "-model:Velmo LT42" "-log:$folder\\silent.log"
[ $code = 0 ] || fail "the silent USB install ended with $code: $(tail -5 "$silent_log")"
grep -qxF "\"$folder\\devcon_x64.exe\" status USBPRINT\\VELMO*" "$log" || fail "no status query: $(cat "$log")"
expected="\"$folder\\Drovik.exe\"
\"$folder\\\\devcon_x64.exe\" rescan
\"$folder\\\\devcon_x64.exe\" restart *class_07*"
[ "$(commands)" = "$expected" ] || fail "the silent USB install ran:
$(commands)
expected the window's install without the printers folder:
$expected"
default_printer "Velmo LT42," || fail "the USB printer's new queue is not the default printer"
logged "USB search" "\"$folder\\devcon_x64.exe\" status USBPRINT\\VELMO*" "1 of 1 devices are Velmo LT42; .*USB001"
logged "queue wait" "" 'found "Velmo LT42" on port USB001'
logged end "" "exit code 0"

# 4. Each failure: its exit code, nothing run, no new queue.
"$velmo_wine" reg delete 'HKLM\SOFTWARE\DARVOLT\Printer' /f >/dev/null 2>&1
"$velmo_wine" reg delete "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue" /f >/dev/null 2>&1
# expect_failure <code> <what> <arguments...>
expect_failure() {
  local want=$1 what=$2
  shift 2
  clear_logs
  silent "$@" "-log:$folder\\silent.log"
  [ $code = "$want" ] || fail "$what: exit code $code, not $want"
  [ -z "$(commands)" ] || fail "$what ran: $(commands)"
  queue_exists "$queue" && fail "$what: a queue was added"
  logged end "" "exit code $want"
}
expect_failure 2 "an unknown model" -silent "-model:Velmo LT99" -ip:$ip -language:english
expect_failure 2 "a refused address" -silent "-model:Velmo LT43" -ip:10.231.0.02 -language:english
expect_failure 2 "both -ip: and -usb" -silent "-model:Velmo LT43" -ip:$ip -usb
expect_failure 2 "neither -ip: nor -usb" -silent "-model:Velmo LT43"
"$velmo_wine" reg query 'HKLM\SOFTWARE\DARVOLT\Printer' /v drv_language 2>/dev/null | grep -q drv_language &&
  fail "bad arguments recorded the language"
unplug
expect_failure 4 "no USB printer" -silent "-model:Velmo LT42" -usb
mv "$stage/Drovik.exe" "$stage/Drovik.exe.away"
expect_failure 3 "no driver setup program" -silent "-model:Velmo LT43" -ip:$ip -language:english
logged "driver setup" "$folder\\Drovik.exe" "refused or could not start"
mv "$stage/Drovik.exe.away" "$stage/Drovik.exe"
mv "$stage/driver" "$stage/driver.away"
expect_failure 6 "no driver package" -silent "-model:Velmo LT43" -ip:$ip
mv "$stage/driver.away" "$stage/driver"
: >"$tools/printui_refuses.txt"
clear_logs
silent -silent "-model:Velmo LT43" -ip:$ip "-log:$folder\\silent.log"
[ $code = 5 ] || fail "a queue that never came: exit code $code, not 5"
logged "queue wait" "" "no new queue within 3000 ms"
rm -f "$tools/printui_refuses.txt"
no_window && fail "a silent run left a window"

# 4b. -nodefault leaves the default printer (the USB queue of step 3) alone.
clear_logs
silent -silent "-model:Velmo LT43" -ip:$ip -nodefault "-log:$folder\\silent.log"
[ $code = 0 ] || fail "the -nodefault install ended with $code"
queue_exists "$queue" || fail "the -nodefault install added no queue"
default_printer "Velmo LT42," || fail "-nodefault changed the default printer"
logged "default printer" "" "left alone: -nodefault"
"$velmo_wine" reg delete "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue" /f >/dev/null 2>&1

# 4c. A -log: that cannot be written: the temporary folder's log says so.
rm -f "$temp_log"
silent -silent "-model:Velmo LT99" -ip:$ip "-log:Q:\\no such folder\\q.log"
[ $code = 2 ] || fail "an unknown model with an unwritable log: exit code $code, not 2"
silent_log=$temp_log logged log "" "the log \"Q:\\\\no such folder\\\\q.log\" cannot be written; this one is used instead"

# 4d. Two runs at once: the second waits for the first and starts nothing
# before the first has ended.
clear_logs
rm -f "$stage/first.log" "$stage/second.log"
(cd "$stage" && exec timeout 90 "$velmo_wine" Qindle.exe -silent "-model:Velmo LT42" -ip:$nobody \
  "-log:$folder\\first.log" >/dev/null 2>&1) &
first=$!
wait_log "$stage/first.log" "silent installation" 20 || fail "the first run did not get going"
silent -silent "-model:Velmo LT43" -ip:$ip "-log:$folder\\second.log"
[ $code = 0 ] || fail "the second run ended with $code: $(cat "$stage/second.log")"
wait $first || fail "the first run ended with $?: $(cat "$stage/first.log")"
grep -q $'\tanother installation\t\trunning: waiting for it to end' "$stage/second.log" ||
  fail "the second run did not wait: $(cat "$stage/second.log")"
last_first=$(grep -n "IP_$nobody" "$tools_log" | tail -1 | cut -d: -f1)
first_second=$(grep -n "IP_$ip " "$tools_log" | head -1 | cut -d: -f1)
[ -n "$last_first" ] && [ -n "$first_second" ] && [ "$last_first" -lt "$first_second" ] ||
  fail "the two runs' commands interleave: $(cat "$tools_log")"
pids=$(cut -f2 "$stage/first.log" "$stage/second.log" | sort -u)
[ "$(grep -cxP '\d+' <<<"$pids")" = 2 ] || fail "the two runs' lines do not carry one process id each: $pids"
"$velmo_wine" reg delete "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue" /f >/dev/null 2>&1

# 4e. A program folder and a log whose paths hold Chinese characters, on a
# system whose code page (1252, English) cannot hold them.
wide="$stage/驱动 程序"
mkdir -p "$wide" "$stage/日志" || fail "no folder with Chinese characters"
for file in devcon_x64.exe devcon_x32.exe Drovik.exe prnport.vbs; do cp "$stage/$file" "$wide/"; done
cp "$stage/Qindle.exe" "$wide/" && cp -r "$stage/driver" "$wide/" || fail "no staged copy"
wide_folder=$(winepath -w "$wide" 2>/dev/null)
clear_logs
(cd "$wide" && LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 exec timeout 60 "$velmo_wine" Qindle.exe -silent \
  "-model:Velmo LT43" -ip:$ip -language:english "-log:$folder\\日志\\安装.log" >/dev/null 2>&1)
code=$?
[ -s "$stage/日志/安装.log" ] || fail "no log at the Chinese path (exit code $code)"
[ $code = 0 ] || fail "the install from a Chinese folder ended with $code: $(cat "$stage/日志/安装.log")"
silent_log="$stage/日志/安装.log" logged "driver setup" "$wide_folder\\Drovik.exe" "exit code 0"
grep -qxF "\"$VELMO_DEV_TOOLS_DIR\\cscript.exe\" \"$wide_folder\\prnport.vbs\" -a -r IP_$ip -h $ip -n 9100 -o raw" \
  "$tools_log" || fail "the port script was not started from the Chinese folder: $(cat "$tools_log")"
grep -qxF "\"$wide_folder\\Drovik.exe\"" "$wide/standin.log" || fail "no driver setup from the Chinese folder"
"$velmo_wine" reg query 'HKLM\SOFTWARE\DARVOLT\Printer' /v drv_language 2>/dev/null | grep -q english ||
  fail "the language was not recorded"
queue_exists "$queue" || fail "no queue from the Chinese folder"

# 4f. The elevated helper that a window without administrator rights starts
# (Wine runs every program elevated, so it is started here by hand): it
# carries out its plan, the language first, waits for the queue, writes the
# install record the user's run could not, and says what came of it.
"$velmo_wine" reg delete 'HKLM\SOFTWARE\DARVOLT\Printer' /f >/dev/null 2>&1
"$velmo_wine" reg delete "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue" /f >/dev/null 2>&1
clear_logs
helper="$stage/helper plan"
mkdir -p "$helper" && rm -f "$helper/outcome.txt"
printf 'usb=0\nnetwork=1\ndriver=1\nip=%s\nmodel=Velmo LT43\nrecord=%s\ncatalogue=Velmo LT42\ncatalogue=Velmo LT43\nend=1\n' \
  "$ip" 'reg add "HKLM\SOFTWARE\DARVOLT\Printer" /v drv_language /t REG_SZ /d "english" /f' >"$helper/plan.txt"
(cd "$stage" && exec timeout 60 "$velmo_wine" Qindle.exe "-elevated-helper:$(winepath -w "$helper")\\" >/dev/null 2>&1)
[ $? = 0 ] || fail "the helper ended with $?"
[ "$(cat "$helper/outcome.txt")" = "go-on=1
failed=
restart=0
queue=$queue
port=IP_$ip
driver=Velmo LT43" ] || fail "the helper's outcome: $(cat "$helper/outcome.txt")"
[ "$(record Address)" = "$ip" ] || fail "the helper did not write the install record"
expected="\"$folder\\Drovik.exe\"
\"$VELMO_DEV_TOOLS_DIR\\cscript.exe\" \"$folder\\prnport.vbs\" -a -r IP_$ip -h $ip -n 9100 -o raw
\"$VELMO_DEV_TOOLS_DIR\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"$queue\" /r \"IP_$ip\" /m \"Velmo LT43\""
[ "$(commands)" = "$expected" ] || fail "the helper ran:
$(commands)"
"$velmo_wine" reg query 'HKLM\SOFTWARE\DARVOLT\Printer' /v drv_language 2>/dev/null | grep -q english ||
  fail "the helper did not record the language"
printf 'usb=1\nnetwork=0\ndriver=0\nip=\nmodel=\nrecord=cmd /c echo planted\nend=1\n' >"$helper/plan.txt"
rm -f "$helper/outcome.txt"
clear_logs
(cd "$stage" && exec timeout 60 "$velmo_wine" Qindle.exe "-elevated-helper:$(winepath -w "$helper")\\" >/dev/null 2>&1)
code=$?
[ $code = 2 ] && [ ! -e "$helper/outcome.txt" ] && [ -z "$(commands)" ] ||
  fail "a plan with a foreign command: exit code $code, ran: $(commands)"
"$velmo_wine" reg delete "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue" /f >/dev/null 2>&1

# 5. The window's Check button: the responder answers, nothing at $nobody.
(cd "$stage" && exec "$velmo_wine" Qindle.exe -language:English >/dev/null 2>&1) &
installer=$!
winctl wait InstallPrinter 20000 >/dev/null || fail "no installer window"
deadline=$((SECONDS + 10))
until [ "$(winctl rows InstallPrinter)" = "Velmo LT43|$ip" ]; do
  [ $SECONDS -ge $deadline ] && fail "the network printer was not found: $(winctl rows InstallPrinter)"
  sleep 0.2
done
winctl double-click-row InstallPrinter 0 || fail "no row to double-click"
start=$(date +%s%N)
winctl click InstallPrinter Check || fail "no Check button"
winctl wait "Velmo LT43 answered." 3000 >/dev/null || { screenshot installer_check_unanswered; fail "no answer shown"; }
check_ms=$((($(date +%s%N) - start) / 1000000))
screenshot installer_check_answered
winctl set-edit InstallPrinter "$nobody" || fail "no address field"
winctl click InstallPrinter Check || fail "no Check button"
winctl wait "Nothing answered at $nobody." 4000 >/dev/null || fail "no \"nothing answered\" shown"
screenshot installer_check_nothing
winctl close InstallPrinter
wait_exit $installer 15 || { kill $installer; fail "the installer did not end"; }
echo "silent network install: $network_ms ms ($(grep -o 'answered at [0-9.]* after [0-9]* ms' "$stage/silent.log" | head -1)); check click to shown answer (with winctl's start): $check_ms ms"
