#!/bin/bash
# The real installer beside a sample driver package, in network-only and full
# mode, in Chinese and in English: its window appears, is photographed and
# closes; full mode records the language in the registry. Without a package
# the installer says so and ends.
# Usage: e2e_modes.sh <Qindle.exe> <winctl.exe>
. "$(dirname "$0")/../tests/e2e/lib.sh"
program=$1 WINCTL=$2
require_test_network
stage="$velmo_root/build/installer-stage"
key='HKLM\SOFTWARE\DARVOLT\Printer'

rm -rf "$stage" && mkdir -p "$stage/with-package" "$stage/without-package" || fail "no stage folder"
cp "$program" "$stage/with-package/" && cp "$program" "$stage/without-package/"
cp -r "$velmo_root/tools/installer-fixtures/driver" "$stage/with-package/" || fail "no sample package"

recorded() { "$velmo_wine" reg query "$key" /v drv_language 2>/dev/null | tr -d '\r' | awk '/drv_language/ {print $3}'; }

# show <folder> <LANG> <title> <screenshot> [arguments...]: starts the
# installer from its folder, waits for the window titled <title>, takes the
# picture and closes the window; the program must end.
show() {
  local folder=$1 lang=$2 title=$3 shot=$4
  shift 4
  (cd "$stage/$folder" && LANG=$lang exec "$velmo_wine" Qindle.exe "$@" >/dev/null 2>&1) &
  local pid=$!
  winctl wait "$title" 20000 >/dev/null || { kill $pid; fail "$shot: no window \"$title\""; }
  sleep 1
  screenshot "$shot"
  winctl close "$title" || fail "$shot: could not close"
  wait_exit $pid 15 || { kill $pid; fail "$shot: the installer did not end"; }
}

"$velmo_wine" reg delete "$key" /f >/dev/null 2>&1

show with-package zh_CN.UTF-8 "安装打印机" installer_zh_network_only
[ -z "$(recorded)" ] || fail "network-only mode recorded a language"

show with-package zh_CN.UTF-8 "安装打印机" installer_zh_full -language:chinese
[ "$(recorded)" = chinese ] || fail "full mode recorded \"$(recorded)\", not chinese"

show with-package C.UTF-8 "InstallPrinter" installer_en_network_only
show with-package C.UTF-8 "InstallPrinter" installer_en_full -language:English
[ "$(recorded)" = English ] || fail "full mode recorded \"$(recorded)\", not English"

# A value that would run a second command is not recorded.
show with-package zh_CN.UTF-8 "InstallPrinter" installer_unsafe_value '-language:english" & reg delete "HKLM\SOFTWARE\DARVOLT\Printer" /f & "'
[ "$(recorded)" = English ] || fail "the unsafe value changed the record to \"$(recorded)\""

show without-package C.UTF-8 "Qindle" installer_missing_package_en
"$velmo_wine" reg delete "$key" /f >/dev/null 2>&1  # the recorded English would win
show without-package zh_CN.UTF-8 "Qindle" installer_missing_package_zh
echo "screenshots in $shots/installer_*.png"
