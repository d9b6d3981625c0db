#!/bin/bash
# no_standins.sh <program.exe>...: programs built without the development
# switches name none of the variables that reach a stand-in (the forms file,
# the printer emulator's pipe), so nothing in them can.
set -euo pipefail
for program in "$@"; do
  for name in VELMO_FORMS_FILE VELMO_PRINTER_PIPE; do
    if grep -qa "$name" "$program"; then
      echo "$program reaches a stand-in through $name" >&2
      exit 1
    fi
  done
  echo "no stand-in in $program"
done
