#!/bin/bash
# no_standins.sh <drv_velmo_oemui.exe>: a program built without the
# development switches names none of the variables that reach a stand-in
# (the forms file, the printer emulator's pipe), so nothing in it can.
set -euo pipefail
for name in VELMO_FORMS_FILE VELMO_PRINTER_PIPE; do
  if grep -qa "$name" "$1"; then
    echo "$1 reaches a stand-in through $name" >&2
    exit 1
  fi
done
echo "no stand-in in $1"
