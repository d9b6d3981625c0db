#!/bin/bash
# no_standins.sh [--dev <program.exe>] <program.exe>...: programs built
# without the development switches name none of the variables that reach a
# stand-in (the forms file, the printer emulator's pipe, the installer's
# tools folder) and no development switch at all, in 8-bit or in UTF-16
# text, so nothing in them can. A program given with --dev is a development
# build, which must be found out, so the search is known to see such names.
set -euo pipefail
names="VELMO_FORMS_FILE VELMO_PRINTER_PIPE VELMO_DEV_"
# names_in <program>: the names it holds, one a line.
names_in() {
  local name
  [ -f "$1" ] || { echo "no program $1" >&2; exit 1; }
  for name in $names; do
    if LC_ALL=C grep -qa "$name" "$1" || LC_ALL=C grep -qaP "$(sed 's/./&\\x00/g' <<<"$name")" "$1"; then
      echo "$name"
    fi
  done
}
if [ "${1:-}" = --dev ]; then
  [ -n "$(names_in "$2")" ] || { echo "the development build $2 shows no development switch" >&2; exit 1; }
  shift 2
fi
for program in "$@"; do
  found=$(names_in "$program")
  if [ -n "$found" ]; then
    echo "$program reaches a stand-in through $found" >&2
    exit 1
  fi
  echo "no stand-in in $program"
done
