#!/bin/bash
# Without a usable "-hdialog:" the settings program ends at once, silently,
# without a window.
# Usage: no_dialog.sh <drv_velmo_oemui.exe> <winctl.exe>
. "$(dirname "$0")/lib.sh"
PROGRAM=$1 WINCTL=$2

for args in "" "-hdialog:0" "-HDIALOG:1A2B" "-hparent:10 -printer:X"; do
  start=$SECONDS
  # shellcheck disable=SC2086
  "$velmo_wine" "$PROGRAM" $args >/dev/null 2>&1 &
  pid=$!
  wait_exit $pid 10 || { kill $pid; fail "'$args': still running"; }
  wait $pid; rc=$?
  [ $rc -eq 0 ] || fail "'$args': exit code $rc"
  winctl wait "打印机管理" 300 >/dev/null && fail "'$args': a window appeared"
  echo "'$args': ended after $((SECONDS - start)) s, no window"
done
