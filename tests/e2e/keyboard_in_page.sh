#!/bin/bash
# The settings window inside the reference driver page, by keyboard alone and
# as a screen reader reads it: Tab walks every control once, each with a name,
# a radio row is one stop, and the ring hands over to the page's own buttons;
# Esc and Enter reach the page's Cancel and OK.
# Usage: keyboard_in_page.sh <drv_velmo_oemui.exe> <winctl.exe> <driver_page.exe>
. "$(dirname "$0")/lib.sh"
PROGRAM=$1 WINCTL=$2 DRIVER_PAGE=$3 DRIVER_PAGE_DIR=$(dirname "$3")
log="$velmo_root/build/e2e-keyboard-in-page.log"
walk="$velmo_root/build/e2e-keyboard-walk.txt"

open_page() {
  rm -f "$log"
  start_page "$log"
  wait_log "$log" "embedded" 20 || fail "settings window never embedded: $(cat "$log")"
  # The feature rows are enabled once the features are read.
  wait_log "$log" "request" 5 || fail "no request after embedding"
  sleep 2
}

open_page
winctl walk "打印机管理" >"$walk" || fail "the walk stopped: $(cat "$walk")"
echo "forward walk:"; cat "$walk"
[ "$(tail -1 "$walk")" = "(left)" ] || fail "Tab at the last control does not go on to the page"
stops=$(grep -vc '^(left)$' "$walk")
[ "$stops" -ge 20 ] || fail "only $stops stops"
unnamed=$(grep -v '^(left)$' "$walk" | awk -F'|' '$2 == ""')
[ -z "$unnamed" ] || fail "stops without a name: $unnamed"
repeated=$(grep -v '^(left)$' "$walk" | sort | uniq -d)
[ -z "$repeated" ] || fail "stops reached twice: $repeated"
for name in 打印测试页 新建 编辑 删除 预览 打印方向 二值化 缩放调整 顶部裁剪; do
  grep -q "|$name" "$walk" || fail "no stop named $name"
done
[ "$(awk -F'|' '$2 ~ /^打印方向 [0-9]+$/' "$walk" | wc -l)" -eq 1 ] || fail "the rotation row is not one stop"
# Role names are in the system's language: the tool buttons read as what
# the reset button (a standard push button) reads as.
button_role=$(awk -F'|' '$2 == "恢复默认" {print $1}' "$walk")
[ -n "$button_role" ] || fail "no reset button in the walk"
[ "$(awk -F'|' '$2 == "打印测试页" {print $1}' "$walk")" = "$button_role" ] || fail "the test page button is no push button"

winctl walk "打印机管理" back >"$walk.back" || fail "the backward walk stopped"
[ "$(tail -1 "$walk.back")" = "(left)" ] || fail "Shift+Tab at the first control does not go on to the page"

winctl press "打印机管理" esc || fail "no key pressed"
wait_log "$log" "page command=2" 5 || fail "Esc did not reach the page's Cancel: $(tail -3 "$log")"
wait_exit $page_pid 15 || fail "page did not end"

open_page
# From the version link (Enter there opens About) to the paper list.
winctl press "打印机管理" tab && winctl press "打印机管理" tab || fail "no key pressed"
sleep 0.5
winctl press "打印机管理" enter || fail "no key pressed"
wait_log "$log" "page command=1" 5 || fail "Enter did not reach the page's OK: $(tail -3 "$log")"
wait_exit $page_pid 15 || fail "page did not end"
