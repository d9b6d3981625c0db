#!/bin/bash
# The settings program starts under Wine, a second process finds its window
# and closes it, and the program ends.
# Usage: smoke.sh <drv_velmo_oemui.exe> <winctl.exe>
. "$(dirname "$0")/lib.sh"
program=$1 WINCTL=$2

"$velmo_wine" "$program" -hdialog:1 >/dev/null 2>&1 &
pid=$!
hwnd=$(winctl wait "打印机管理" 15000) || { kill $pid; fail "no settings window appeared"; }
[ -n "$hwnd" ] || fail "no window handle printed"
sleep 0.5
screenshot e2e_smoke
winctl close "打印机管理" || fail "could not post WM_CLOSE"
wait_exit $pid 10 || { kill $pid; fail "program did not end after WM_CLOSE"; }
winctl gone "打印机管理" 2000 || fail "window still exists"
echo "window $hwnd closed, screenshot $shots/e2e_smoke.png"
